#pragma once
// The page "Статистика" of the right page control: the method chooser
// `cbDrawsStatType`, the window length `edDrawsStatLen` with the button
// "Обновить", the statistics list `lvDrawsStat` and below it the chart
// `crtDrawsStat`. It owns the statistics view (the driver in the core) and
// shows what that holds; the chart's series are computed there.
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

#include "shell/StatisticsView.h"

class QAction;
class QChart;
class QChartView;
class QComboBox;
class QSpinBox;
class QSplitter;
class QToolButton;

namespace zircon {

class ActionSet;
class StatTableModel;
class TRSortListView;
class Workspace;

class StatisticsTab : public QWidget {
    Q_OBJECT
public:
    explicit StatisticsTab(Workspace& workspace, QWidget* parent = nullptr);
    ~StatisticsTab() override;

    StatisticsView& view() { return *m_view; }
    const StatisticsView& view() const { return *m_view; }
    QComboBox* typeChooser() const { return m_type; }
    QSpinBox* lengthEdit() const { return m_length; }
    TRSortListView* list() const { return m_list; }
    StatTableModel* model() const { return m_model; }
    QChartView* chartView() const { return m_chartView; }
    QSplitter* splitter() const { return m_splitter; }

    // Adds DrawsStatCalc, DrawsStatePrefetchsEnabled, DrawsStatShowTotalLine,
    // StatFilter_Include and StatFilter_Exclude, and puts them in the list's
    // pop-up menu and on the button.
    void addTo(ActionSet& actions);
    // The names of the commands in menu order; "-" stands for a separator.
    static QStringList menuOrder();

    // `DrawsStatLen`: shown in the field and used by the next computation.
    void setWindowLength(int length);
    // `DrawsStatHeight`: the chart's height, applied once the page has its size.
    void setChartHeight(int height);
    int chartHeight() const;

    // "Норма", "Отклонение" and "Откл-ие в %": 80 wide while prefetching is
    // on, hidden while it is off.
    void showNormColumns(bool shown);
    static constexpr int kNormColumnWidth = 80;

    // The chooser and the field wait while the system is busy.
    void setControlsEnabled(bool enabled);

    // The table rows of the list's selection, ascending.
    std::vector<int> selectedRows() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillChooser();
    void chooserChanged(int index);
    void lengthEntered();
    void tableChanged();
    void rebuildChart();
    void thinAxisLabels(bool force);
    void applyPendingChartHeight();

    Workspace& m_ws;
    std::unique_ptr<StatisticsView> m_view;
    QComboBox* m_type = nullptr;
    QSpinBox* m_length = nullptr;
    QToolButton* m_calc = nullptr;
    TRSortListView* m_list = nullptr;
    StatTableModel* m_model = nullptr;
    QChartView* m_chartView = nullptr;
    QChart* m_chart = nullptr;
    QSplitter* m_splitter = nullptr;
    int m_pendingChartHeight = -1;  // applied at the splitter's first real size
    int m_labelStep = 0;            // every n-th value is labelled
    bool m_filling = false;
};

}  // namespace zircon
