#pragma once

#include "document/Sheet.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// The label stocks users buy (sheets and rolls by maker and part number), read from the template
// library that Linux desktops install (the XML files of the glabels-data package), never copied.

enum class TStockShape { Rectangle, Round, Ellipse, Cd, Other };

// One way the labels lie on the stock, in inches: nx × ny labels from (x0, y0), dx and dy apart.
struct TStockLayout {
    int Columns = 1;
    int Rows = 1;
    double X0 = 0, Y0 = 0, Dx = 0, Dy = 0;
};

struct TStock {
    QString Maker;
    QString Part;
    QString Description;
    QStringList Categories;
    QString PaperName;                      // "US Letter", "A4", or empty for a roll or other size
    double PaperWidth = 0, PaperHeight = 0; // inches
    TStockShape Shape = TStockShape::Rectangle;
    double Width = 0, Height = 0; // the label, inches
    double Radius = 0;            // a rectangle's corner radius, a round label's radius, inches
    QList<TStockLayout> Layouts;
    QString SameAs; // the part this one is the same product as ("5160" for Avery 5260)

    // "Avery 5160".
    QString Name() const;
    // Why the stock cannot be a sheet of ours ("staggered: 2 layouts", "CD"); empty when it can.
    QString NotApplicable() const;
    // "Avery 5160 — Address Labels — 2.625 × 1 in, 3 × 10, US Letter".
    QString Summary() const;
};

class TStockLibrary {
public:
    // The template folders of the usual installs: the system's, /usr/local's and the user's
    // ($XDG_CONFIG_HOME/libglabels/templates), those that exist; or the folders the
    // environment's VELLUMTRACE_STOCK_FOLDERS lists (colon-separated) instead.
    static QStringList DefaultFolders();
    // Reads every *-templates.xml of the folders, with paper-sizes.xml from the first folder
    // that has one. An entry that cannot be read is skipped and described in problems; a file
    // that cannot be read at all likewise.
    static TStockLibrary Load(const QStringList& folders, QStringList* problems = nullptr);
    // The installed library, read once on first use (thread-safe); problems of that reading in
    // LoadProblems().
    static const TStockLibrary& Installed();
    const QStringList& LoadProblems() const { return m_problems; }

    bool Empty() const { return m_stocks.empty(); }
    const std::vector<TStock>& Stocks() const { return m_stocks; }
    // The stocks whose maker, part, description or categories hold every word (ignoring case;
    // "62 mm" also matches "62mm" and the label's size in millimetres), in library order.
    std::vector<const TStock*> Search(const QString& words) const;
    // The stock of that name ("Avery 5160", ignoring case and blanks); nullptr when none.
    const TStock* Find(const QString& name) const;
    // Up to count names that come closest to name, for a message.
    QStringList ClosestNames(const QString& name, int count = 3) const;

private:
    std::vector<TStock> m_stocks;
    std::vector<QString> m_searchTexts; // one per stock: the words a search matches, folded
    QStringList m_problems;
};

// Makes sheet the stock's: label size, margins from the layout's origin, gutters from its steps,
// rows and columns forced, the paper, and the border shape closest to the label's outline. The
// sheet's unit stays as it is. False (sheet untouched) with the reason when NotApplicable().
bool ApplyStock(const TStock& stock, TSheetSettings& sheet, QString* why = nullptr);
