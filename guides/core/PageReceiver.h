#pragma once

#include "Picture.h"

namespace velmora {

/// What the download client calls back while it fetches one guide: first
/// `NumberOfPages` once, then `LoadPictureAtPage` once per page with page
/// numbers 0, 1, 2, ... in order.  The receiver (the main window) outlives
/// the client that calls it; the client never deletes it.
class PageReceiver {
public:
    virtual ~PageReceiver() = default;

    /// The group index has been read and lists `lngTotalPages` pages (> 0).
    virtual void NumberOfPages(int lngTotalPages) = 0;
    /// Page `lngPageNumber` (0-based) has arrived.  `picPage` is a shared
    /// handle the receiver may keep for as long as it likes; it is the empty
    /// picture when the page's data was unusable.
    virtual void LoadPictureAtPage(int lngPageNumber, const Picture& picPage) = 0;
};

} // namespace velmora
