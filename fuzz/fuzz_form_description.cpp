// A window description as the program reads it before building anything:
// every control of the list is kept in its order, each named after its
// "name" (with its index for a member of a control array), and only a
// button's font and pictures are read as more than plain values.

#include "FormDescription.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstdint>
#include <cstdlib>

using namespace velmora;

namespace {

bool isKey(const QString& key, const char* name) {
    return key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

void checkControl(const ControlDescription& control) {
    if (!control.name.startsWith(control.plainName))
        abort();
    const QString index = control.name.mid(control.plainName.size());
    if (control.indexed != !index.isEmpty())
        abort();
    if (control.indexed) {
        bool whole = false;
        index.mid(1, index.size() - 2).toInt(&whole);
        if (!index.startsWith(QLatin1Char('(')) || !index.endsWith(QLatin1Char(')')) || !whole)
            abort();
    }
    for (const BagEntry& entry : control.bag) {
        const bool picture = isKey(entry.key, "picture") || isKey(entry.key, "mouseicon");
        if ((entry.kind == BagEntry::Kind::Font && !isKey(entry.key, "font")) ||
            (entry.kind == BagEntry::Kind::Picture && !picture))
            abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray json(reinterpret_cast<const char*>(data), qsizetype(size));
    const FormDescription form = FormDescription::parse(json);
    const QJsonArray listed =
        QJsonDocument::fromJson(json).object().value(QLatin1String("controls")).toArray();
    if (form.controls.size() != listed.size())
        abort();
    for (const ControlDescription& control : form.controls)
        checkControl(control);
    return 0;
}
