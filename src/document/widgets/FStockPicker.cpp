#include "document/widgets/FStockPicker.h"

#include "document/LabelStockPicture.h"
#include "document/StockLibrary.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The selected stock's sheet; blank while none is selected.
class TStockSheetView : public QWidget {
public:
    explicit TStockSheetView(QWidget* parent) : QWidget(parent) { setMinimumSize(220, 280); }
    void SetStock(const TStock* stock) {
        m_stock = stock;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        if (m_stock)
            PaintStockSheet(painter, QRectF(rect()).adjusted(8, 8, -8, -8), *m_stock);
    }

private:
    const TStock* m_stock = nullptr;
};
} // namespace

TFStockPicker::TFStockPicker(const TStockLibrary& library, QWidget* parent)
    : QDialog(parent), m_library(library) {
    setObjectName(QStringLiteral("FStockPicker"));
    setWindowTitle(QStringLiteral("Label Stock"));

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("eSearch"));
    m_search->setPlaceholderText(QStringLiteral("Maker, part or size, e.g. Avery 5160"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lbStocks"));
    m_list->setMinimumWidth(460);
    m_picture = new TStockSheetView(this);
    m_picture->setObjectName(QStringLiteral("pbSheet"));
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OkBtn"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setAutoDefault(false);

    auto* search = new QLabel(QStringLiteral("&Search:"), this);
    search->setBuddy(m_search);
    auto* top = new QHBoxLayout;
    top->addWidget(search);
    top->addWidget(m_search);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_list, 1);
    middle->addWidget(m_picture);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    if (!library.LoadProblems().isEmpty() || library.Empty()) {
        auto* note = new QLabel(library.Empty() ? QStringLiteral("No label stocks are installed.")
                                                : library.LoadProblems().first(),
                                this);
        note->setObjectName(QStringLiteral("lProblems"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addLayout(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &TFStockPicker::Fill);
    connect(m_list, &QListWidget::currentRowChanged, this, &TFStockPicker::SelectionChanged);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (Chosen())
            accept();
    });
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (Chosen())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    Fill(QString());
}

void TFStockPicker::Fill(const QString& words) {
    m_shown = m_library.Search(words);
    m_list->clear();
    for (const TStock* stock : m_shown) {
        const QString reason = stock->NotApplicable();
        // The summary already ends in the reason a stock cannot be chosen.
        auto* item = new QListWidgetItem(stock->Summary(), m_list);
        // Still selectable so that its sheet can be looked at; only OK refuses it.
        if (!reason.isEmpty())
            item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    }
    SelectionChanged();
}

void TFStockPicker::SelectionChanged() {
    const int row = m_list->currentRow();
    const TStock* stock = row >= 0 && row < int(m_shown.size()) ? m_shown[row] : nullptr;
    static_cast<TStockSheetView*>(m_picture)->SetStock(stock);
    m_ok->setEnabled(Chosen() != nullptr);
}

const TStock* TFStockPicker::Chosen() const {
    const int row = m_list->currentRow();
    if (row < 0 || row >= int(m_shown.size()) || !m_shown[row]->NotApplicable().isEmpty())
        return nullptr;
    return m_shown[row];
}
