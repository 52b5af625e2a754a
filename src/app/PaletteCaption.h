#pragma once

#include <QWidget>

// The palette's own caption strip: its title, the pin button and the close button. Window
// managers draw their title bars themselves, so a palette that docks and rolls up draws this
// strip instead and tells its window about presses and drags.
class TPaletteCaption : public QWidget {
    Q_OBJECT
public:
    explicit TPaletteCaption(const QString& title, QWidget* parent = nullptr);

    // The two buttons in the strip's coordinates: close at the right end, the pin left of it.
    QRect CloseButton() const;
    QRect PinButton() const;

    // The pin shows whether the palette rolls itself up.
    void SetAutoExpand(bool on);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // A left press on the pin.
    void PinPressed();
    // A left click on the close button.
    void CloseClicked();
    // A left press elsewhere starts dragging the window; then the cursor's moves follow until
    // the button is released. Positions are global.
    void DragStarted(QPoint cursor);
    void Dragged(QPoint cursor);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int ButtonSide() const;

    QString m_title;
    bool m_autoExpand = false;
    bool m_dragging = false;
    bool m_closePressed = false;
};
