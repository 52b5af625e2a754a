#include "files/ControlSection.h"

#include "files/ControlKinds.h"
#include "files/FieldSection.h"
#include "files/FileOperations.h"
#include "files/MemoLines.h"
#include "files/SectionAccess.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"

#include <algorithm>
#include <iterator>

namespace {
// ROTATE values by Rotation.
const char* const kRotations[] = {"0", "90", "180", "270"};

QString RotationText(uint8_t rotation) {
    return QString::fromLatin1(rotation < std::size(kRotations) ? kRotations[rotation] : "0");
}

uint8_t RotationFromText(const QString& text) {
    for (size_t i = 0; i < std::size(kRotations); ++i)
        if (text == QLatin1String(kRotations[i]))
            return uint8_t(i);
    return 0;
}

// A length in inches as screen pixels. Anything beyond twice the largest label lies outside
// every label anyway, and is held there so that box arithmetic cannot overflow.
int32_t Pixels(double inches, int32_t pixelsPerInch) {
    const int32_t limit = RoundHalfEven(2 * MaxLabelInches * pixelsPerInch);
    return std::clamp(RoundHalfEven(inches * pixelsPerInch), -limit, limit);
}

QString MemoKey(int32_t n) {
    return QStringLiteral("MEMO_") + QString::number(n);
}

void WriteText(TSectionWriter& keys, const TLabelControl& c) {
    if (!KindTraits(c.Kind()).MultiLine) {
        keys.Escaped("TEXT", c.GetText());
        return;
    }
    const QStringList lines = SplitMemoLines(c.GetText());
    for (qsizetype i = 0; i < lines.size(); ++i)
        keys.Escaped(MemoKey(int32_t(i + 1)), lines[i]);
    keys.Integer("MEMO_LINES", int32_t(lines.size()));
}

QString ReadText(const TSectionReader& keys, const TLabelControl& c) {
    if (!KindTraits(c.Kind()).MultiLine)
        return keys.Escaped("TEXT");
    const int32_t count = std::min(keys.Integer("MEMO_LINES", 0), MaxMemoLines);
    QStringList lines;
    for (int32_t n = 1; n <= count; ++n)
        lines << keys.Escaped(MemoKey(n));
    return JoinMemoLines(lines);
}

void WriteFont(TSectionWriter& keys, const TLabelControl& c) {
    const QFont& f = c.Font();
    keys.Plain("FONT_NAME", f.family());
    keys.Integer("FONT_SIZE", f.pointSizeF() > 0 ? RoundHalfEven(f.pointSizeF()) : 8);
    keys.Integer("FONT_COLOR", int32_t(c.FontColor()));
    keys.Bool("FONT_BOLD", f.bold());
    keys.Bool("FONT_ITALIC", f.italic());
    keys.Bool("FONT_UNDERLINE", f.underline());
    keys.Bool("FONT_STRIKEOUT", f.strikeOut());
    keys.Integer("FONT_CHARSET", c.FontCharset());
}

void ReadFont(const TSectionReader& keys, TLabelControl& c) {
    QFont f = c.Font();
    f.setFamily(keys.Plain("FONT_NAME", QStringLiteral("Courier New")));
    f.setPointSize(std::clamp(keys.Integer("FONT_SIZE", 8), MinFontSize, MaxFontSize));
    // The flags only ever add a style.
    if (keys.Bool("FONT_BOLD", false))
        f.setBold(true);
    if (keys.Bool("FONT_ITALIC", false))
        f.setItalic(true);
    if (keys.Bool("FONT_UNDERLINE", false))
        f.setUnderline(true);
    if (keys.Bool("FONT_STRIKEOUT", false))
        f.setStrikeOut(true);
    c.SetFont(f);
    c.SetFontColor(TColor(keys.Integer("FONT_COLOR", int32_t(clBlack))));
    c.SetFontCharset(keys.Integer("FONT_CHARSET", 1));
}
} // namespace

bool IsStorable(const TLabelControl& control) {
    return KindOf(control.Kind()) != nullptr;
}

void WriteControlSection(TIniFile& ini, const QString& section, const TLabelControl& c,
                         QStringList& files) {
    const TControlKindInfo* kind = KindOf(c.Kind());
    if (!kind)
        return;
    TSectionWriter keys(ini, section);
    keys.Plain("TYPE", QString::fromLatin1(KindTraits(c.Kind()).Type));
    kind->WriteKeys(keys, c, files);

    // In inches, and as if not rotated: a quarter-turned box has its width and height swapped.
    const double ppiX = ScreenPixelsPerInchX(), ppiY = ScreenPixelsPerInchY();
    const bool quarterTurned = c.Rotation() % 2 == 1;
    keys.Real("TOP", c.Top() / ppiY);
    keys.Real("LEFT", c.Left() / ppiX);
    keys.Real("WIDTH", (quarterTurned ? c.Height() : c.Width()) / ppiX);
    keys.Real("HEIGHT", (quarterTurned ? c.Width() : c.Height()) / ppiY);

    keys.Bool("AUTOSIZE", c.AutoSize());
    keys.Bool("TRANSPARENT", c.Transparent());
    keys.Plain("ROTATE", RotationText(c.Rotation()));
    keys.Integer("ALIGN", c.Attach());
    keys.Integer("HALIGN", c.HAlign());
    keys.Integer("VALIGN", c.VAlign());
    WriteFont(keys, c);
    WriteText(keys, c);
    keys.Bool("ADVANCED", c.Advanced());
    keys.Integer("ADV_COUNT", int32_t(c.Fields.size()));
    WriteFieldElements(ini, section, c.Fields);
}

std::unique_ptr<TLabelControl> ReadControlSection(const TIniFile& ini, const QString& section,
                                                  TPictureSource& pictures) {
    const TSectionReader keys(ini, section);
    const TControlKindInfo* kind = KindByType(keys.Plain("TYPE", QStringLiteral("UNKNOWN")));
    if (!kind)
        return nullptr;
    std::unique_ptr<TLabelControl> c = kind->Create();
    c->SetLoading(true);
    kind->ReadKeys(keys, *c, pictures);

    const int32_t ppiX = ScreenPixelsPerInchX(), ppiY = ScreenPixelsPerInchY();
    c->SetTop(Pixels(keys.Real("TOP", 0), ppiY));
    c->SetLeft(Pixels(keys.Real("LEFT", 0), ppiX));
    c->SetBoxWidth(Pixels(keys.Real("WIDTH", 20.0), ppiX));
    c->SetBoxHeight(Pixels(keys.Real("HEIGHT", 20.0), ppiY));
    c->SetTransparency(keys.Bool("TRANSPARENT", false));
    c->SetRotation(RotationFromText(keys.Plain("ROTATE", QStringLiteral("0"))));
    c->SetHAlign(keys.Byte("HALIGN", haLeft));
    c->SetVAlign(keys.Byte("VALIGN", vaTop));
    ReadFont(keys, *c);
    c->SetText(ReadText(keys, *c));
    c->SetAdvanced(keys.Bool("ADVANCED", false));
    c->Fields = ReadFieldElements(ini, section, keys.Integer("ADV_COUNT", 0));
    c->SetAutoSizing(keys.Bool("AUTOSIZE", true));
    return c;
}
