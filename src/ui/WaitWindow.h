#pragma once
// The borderless wait window of the draw download: one text line, centred on
// the screen, shown, updated and closed by the operation; with a stop handler
// it also has the stop button.
#include <QFrame>

#include <functional>

class QLabel;
class QPushButton;

namespace zircon {

class WaitWindow : public QFrame {
    Q_OBJECT
public:
    explicit WaitWindow(QWidget* parent = nullptr);

    void showText(const QString& text);
    QString text() const;

    // Shows the stop button; pressing it runs `onStop`.
    void setStopHandler(std::function<void()> onStop);
    QPushButton* stopButton() const { return m_stop; }

private:
    void centreOnScreen();

    QLabel* m_text = nullptr;
    QPushButton* m_stop = nullptr;
    std::function<void()> m_onStop;
};

}  // namespace zircon
