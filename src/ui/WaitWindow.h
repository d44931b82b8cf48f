#pragma once
// The borderless wait window of the draw download: one text line, centred on
// the screen, shown, updated and closed by the operation.
#include <QFrame>

class QLabel;

namespace zircon {

class WaitWindow : public QFrame {
    Q_OBJECT
public:
    explicit WaitWindow(QWidget* parent = nullptr);

    void showText(const QString& text);
    QString text() const;

private:
    void centreOnScreen();

    QLabel* m_text = nullptr;
};

}  // namespace zircon
