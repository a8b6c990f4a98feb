#include "FetchProgress.h"

#include <cmath>

namespace velmora {

double FetchProgress::percentFor(int page, int totalPages) {
    return std::floor((double(page) + 1.0) / double(totalPages) * 100.0);
}

void FetchProgress::pageArrived(int page, int totalPages) {
    if (totalPages != 0)
        set(percentFor(page, totalPages));
    if (page + 1 == totalPages)
        set(kMax);
}

void FetchProgress::set(double value) {
    if (value >= kMin && value <= kMax)
        m_value = value;
}

} // namespace velmora
