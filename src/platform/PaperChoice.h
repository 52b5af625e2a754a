#pragma once

#include <QPageSize>
#include <QString>

// The printer page chosen for a label: a standard paper or a size of its own, and its
// orientation. An unset choice leaves every printer on its own paper.
struct TPaperChoice {
    QString Name;      // a standard paper's name ("Letter", "A4"); empty for a size of its own
    double Width = 0;  // inches, of the paper held upright: Width <= Height
    double Height = 0; // inches
    bool Landscape = false;

    bool IsSet() const { return Width > 0 && Height > 0; }
    // The paper held upright, as Qt knows it.
    QPageSize PageSize() const;
    // For messages and lists: "Letter", "A4 landscape", "4 × 6 in".
    QString Text() const;

    bool operator==(const TPaperChoice&) const = default;
};

// Sides a paper may have, in inches.
inline constexpr double MinPaperInches = 0.25;
inline constexpr double MaxPaperInches = 100.0;

// A standard or printer-defined paper (standard ones by name, others by size).
TPaperChoice PaperFromPageSize(const QPageSize& size, bool landscape = false);

// A paper of the given size in inches, as it lies (wider than tall is landscape); a standard
// paper by name when the size is one.
TPaperChoice PaperOfSize(double width, double height);

// Reads a paper given by name (Letter, A4, Legal, A5, …; letter case does not matter) or as
// WxH with a unit of in, mm, cm or pt ("4x6in", "100x150mm", "10 x 15 cm"). Returns false and
// says why in reason when the text is neither or the size is out of bounds.
bool ParsePaper(const QString& text, TPaperChoice& paper, QString* reason = nullptr);

// The standard paper of that name (Qt's key or name, or libpaper's lower-case name);
// QPageSize::Custom when there is none.
QPageSize::PageSizeId StandardPaperId(const QString& name);

// The paper that the user's locale expects: Letter where offices use it, A4 elsewhere.
QPageSize::PageSizeId LocalePaperSize();

// The paper the system is set to, as libpaper finds it: the PAPERSIZE variable, else the first
// word of the file PAPERCONF names or of /etc/papersize, else the locale's paper.
QPageSize::PageSizeId SystemPaperSize();
