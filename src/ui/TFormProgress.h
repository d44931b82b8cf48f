#pragma once
// The progress window of long operations: a text line, a gauge and the stop
// button. The core's Progress decides when it opens, what it shows and that
// there is only one; this window only displays it and passes the stop on.
#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zircon {

class TFormProgress : public QDialog {
    Q_OBJECT
public:
    // `onStop` runs when the user presses the stop button or closes the window.
    TFormProgress(std::function<void()> onStop, QWidget* parent = nullptr);

    void showProgress(const QString& text, int position, int maximum);

    QString text() const;
    int position() const;
    int maximum() const;
    QPushButton* stopButton() const { return m_stop; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void stopPressed();

    std::function<void()> m_onStop;
    QLabel* m_text = nullptr;
    QProgressBar* m_gauge = nullptr;
    QPushButton* m_stop = nullptr;
};

}  // namespace zircon
