#include "GuideDocument.h"

namespace velmora {

namespace {

/// Adds a line to the paragraph being collected, or starts a new one.
void appendParagraphLine(GuidePage& page, bool& inParagraph, const QString& line) {
    if (inParagraph) {
        page.blocks.last().text += QLatin1Char(' ') + line;
        return;
    }
    page.blocks.append({GuideBlock::Kind::Paragraph, line, {}});
    inParagraph = true;
}

bool setMetadata(GuideDocument& doc, const QString& key, const QString& value) {
    if (key == QLatin1String("title"))
        doc.title = value;
    else if (key == QLatin1String("subtitle"))
        doc.subtitle = value;
    else if (key == QLatin1String("label"))
        doc.label = value;
    else if (key == QLatin1String("intro"))
        doc.intro = value;
    else if (key == QLatin1String("accent"))
        doc.accent = QColor::fromString(value);
    else
        return false;
    return true;
}

} // namespace

bool GuideDocument::parse(const QString& text, GuideDocument& out, QString& error) {
    GuideDocument doc;
    bool inParagraph = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        const auto fail = [&](const QString& why) {
            error = QStringLiteral("line %1: %2").arg(i + 1).arg(why);
            return false;
        };
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) {
            inParagraph = false;
            continue;
        }
        if (line.startsWith(QLatin1Char('@'))) {
            const qsizetype space = line.indexOf(QLatin1Char(' '));
            if (space < 0 || !setMetadata(doc, line.mid(1, space - 1), line.mid(space + 1)))
                return fail(QStringLiteral("unknown metadata \"%1\"").arg(line));
            continue;
        }
        if (line.startsWith(QLatin1String("=== "))) {
            doc.pages.append({line.mid(4), {}});
            inParagraph = false;
            continue;
        }
        if (doc.pages.isEmpty())
            return fail(QStringLiteral("text before the first page heading"));
        GuidePage& page = doc.pages.last();
        if (line.startsWith(QLatin1String("## "))) {
            page.blocks.append({GuideBlock::Kind::SubHeading, line.mid(3), {}});
            inParagraph = false;
        } else if (line.startsWith(QLatin1String("- "))) {
            page.blocks.append({GuideBlock::Kind::Bullet, line.mid(2), {}});
            inParagraph = false;
        } else if (line.startsWith(QLatin1String("> "))) {
            page.blocks.append({GuideBlock::Kind::Tip, line.mid(2), {}});
            inParagraph = false;
        } else if (line.startsWith(QLatin1String("! "))) {
            QStringList steps = line.mid(2).split(QLatin1Char('|'));
            for (QString& step : steps)
                step = step.trimmed();
            page.blocks.append({GuideBlock::Kind::Steps, {}, steps});
            inParagraph = false;
        } else {
            appendParagraphLine(page, inParagraph, line);
        }
    }
    if (doc.title.isEmpty() || doc.label.isEmpty() || !doc.accent.isValid() ||
        doc.pages.isEmpty()) {
        error = QStringLiteral("a guide needs @title, @label, a valid @accent and pages");
        return false;
    }
    out = doc;
    return true;
}

} // namespace velmora
