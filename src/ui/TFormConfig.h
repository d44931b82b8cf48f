#pragma once
// The dialog "Параметры системы": edits a copy of the engine's settings. The
// caller opens it on the current configuration and, when it was accepted,
// takes result() in place of the old one (and rebuilds the prefetch groups
// staleGroups names).
#include <QDialog>

#include <functional>

#include "stats/ConfigData.h"
#include "stats/ConfigEditing.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;

namespace zircon {

class TFormConfig : public QDialog {
    Q_OBJECT
public:
    // Shows an error text ("\r" line breaks) in place of the error box; set
    // by tests so that no modal box opens.
    using ErrorSink = std::function<void(const QString& text)>;

    explicit TFormConfig(const TConfigData& config, QWidget* parent = nullptr);

    // The configuration as the fields give it now. Hides QDialog::result()
    // (the dialog code), which callers read from exec() instead.
    TConfigData result() const;

    void setErrorSink(ErrorSink sink) { m_errorSink = std::move(sink); }

private:
    void fillProfits(const std::vector<TProfitItem>& profits);
    QStringList profitRowTexts() const;
    void fillSegments(const SegmentGrid& grid);
    SegmentGrid segmentTexts() const;
    void matrixColsChanged(int columns);
    void segmentEdited(QTableWidgetItem* item);
    void showError(const QString& text);

    TConfigData m_config;  // the copy; fields without a control pass through
    ErrorSink m_errorSink;
    bool m_filling = false;  // cells are being set by the dialog, not typed

    QLineEdit* m_cost = nullptr;
    QSpinBox* m_stakeMaxLen = nullptr;
    QTableWidget* m_profits = nullptr;
    QLineEdit* m_coefCount = nullptr;
    QLineEdit* m_coefDeviation = nullptr;
    QLineEdit* m_coefLevel = nullptr;
    QCheckBox* m_coefPercents = nullptr;
    QCheckBox* m_coefAbs = nullptr;
    QSpinBox* m_matrixCol = nullptr;
    QSpinBox* m_matrixRow = nullptr;
    QTableWidget* m_segments = nullptr;
    QSpinBox* m_channelSize = nullptr;
};

}  // namespace zircon
