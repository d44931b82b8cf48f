#include "ui/StatisticsTab.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QEvent>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QSpinBox>
#include <QSplitter>
#include <QToolButton>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <set>

#include "core/Tr.h"
#include "shell/CombCommands.h"
#include "shell/Workspace.h"
#include "ui/ActionSet.h"
#include "ui/StatTableModel.h"
#include "ui/TRSortListView.h"

namespace zircon {

namespace {

const QColor kActualColour(0, 128, 0);
const QColor kMarkerOutline(Qt::magenta);
const QColor kTotalColour(Qt::red);
// A point marker reaches two pixels each way from its point.
constexpr int kMarkerSize = 5;
constexpr int kMinListHeight = 40;
constexpr int kLabelGap = 10;  // pixels between two labels of the value axis

const int kNormColumns[] = {StatTable::ColNorm, StatTable::ColDeviation, StatTable::ColDeviationPercent};

// The square of a window point: green inside, outlined in magenta.
QImage pointMarker()
{
    QImage image(kMarkerSize, kMarkerSize, QImage::Format_ARGB32);
    image.fill(kActualColour);
    QPainter p(&image);
    p.setPen(kMarkerOutline);
    p.drawRect(0, 0, kMarkerSize - 1, kMarkerSize - 1);
    return image;
}

QFont smallFont(const QFont& base)
{
    QFont f = base;
    f.setPointSizeF(std::max(6.0, base.pointSizeF() - 1.0));
    return f;
}

}  // namespace

StatisticsTab::StatisticsTab(Workspace& workspace, QWidget* parent)
    : QWidget(parent), m_ws(workspace), m_view(std::make_unique<StatisticsView>(workspace))
{
    setObjectName(QStringLiteral("tsDrawsStat"));

    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("cbDrawsStatType"));
    m_type->setToolTip(zircon::tr("Вид расчета статистики"));
    m_type->setStatusTip(m_type->toolTip());
    m_type->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_type->setMinimumContentsLength(20);
    m_type->setMaxVisibleItems(30);
    connect(m_type, &QComboBox::currentIndexChanged, this, &StatisticsTab::chooserChanged);

    m_length = new QSpinBox(this);
    m_length->setObjectName(QStringLiteral("edDrawsStatLen"));
    m_length->setRange(1, StatisticsView::kMaxWindowLength);
    m_length->setValue(StatisticsView::kDefaultWindowLength);
    m_length->setToolTip(zircon::tr("Количество тиражей, использующихся для расчета статистики"));
    m_length->setStatusTip(m_length->toolTip());
    m_length->setMinimumWidth(90);
    m_length->installEventFilter(this);
    // The next computation takes the field as it stands; Enter starts one.
    connect(m_length, &QSpinBox::valueChanged, this, [this](int value) { m_view->setWindowLength(value); });

    m_calc = new QToolButton(this);
    m_calc->setObjectName(QStringLiteral("btnDrawsStatCalc"));
    m_calc->setToolButtonStyle(Qt::ToolButtonTextOnly);

    m_model = new StatTableModel(*m_view, this);
    m_list = new TRSortListView(this);
    m_list->setObjectName(QStringLiteral("lvDrawsStat"));
    m_list->setSourceModel(m_model);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    QHeaderView* header = m_list->header();
    header->setSectionsMovable(false);
    header->setMinimumSectionSize(20);
    // Each column as wide as its caption, the value column a little wider
    // for the longer value texts (masks, pairs).
    const QFontMetrics fm(header->font());
    for (int c = 0; c < StatTable::kColumnCount; ++c)
        header->resizeSection(c, std::max(c == StatTable::ColValue ? 90 : 56,
                                          fm.horizontalAdvance(StatTable::columnCaption(c)) + 20));
    m_list->setSortState(StatTable::ColCount, false);

    m_chart = new QChart;
    m_chart->setBackgroundRoundness(0);
    m_chart->setMargins(QMargins(2, 0, 6, 0));
    m_chart->layout()->setContentsMargins(0, 0, 0, 0);
    m_chart->legend()->setAlignment(Qt::AlignTop);
    m_chart->legend()->setFont(smallFont(font()));
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(QStringLiteral("crtDrawsStat"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumHeight(40);
    // As many value labels as the plot's width holds.
    connect(m_chart, &QChart::plotAreaChanged, this, [this] { thinAxisLabels(false); });

    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("splDrawsStat"));
    m_splitter->addWidget(m_list);
    m_splitter->addWidget(m_chartView);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->installEventFilter(this);

    auto* top = new QHBoxLayout;
    top->addWidget(m_type, 1);
    top->addWidget(m_length);
    top->addWidget(m_calc);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
    layout->addWidget(m_splitter, 1);

    m_view->setChoosersListener([this] { fillChooser(); });
    m_view->setTableListener([this] { tableChanged(); });
    m_view->setNormColumnsListener([this](bool shown) { showNormColumns(shown); });
    showNormColumns(m_ws.prefetchsEnabled());
}

StatisticsTab::~StatisticsTab()
{
    // The listeners point into this page; the view may outlive none of it.
    m_view->setChoosersListener({});
    m_view->setTableListener({});
    m_view->setNormColumnsListener({});
}

QStringList StatisticsTab::menuOrder()
{
    return {QStringLiteral("DrawsStatCalc"),
            QStringLiteral("-"),
            QStringLiteral("StatFilter_Include"),
            QStringLiteral("StatFilter_Exclude"),
            QStringLiteral("-"),
            QStringLiteral("DrawsStatePrefetchsEnabled"),
            QStringLiteral("DrawsStatShowTotalLine")};
}

void StatisticsTab::addTo(ActionSet& actions)
{
    QAction* calc = actions.add({"DrawsStatCalc", ZT("Обновить"), ZT("Пересчитать статистику по выбранным параметрам"),
                                 QKeySequence(), [this] { return m_view->canCompute(); },
                                 [this] { m_view->ComputeStatTable(true); }, {}});
    actions.add({"DrawsStatePrefetchsEnabled", ZT("Использовать сравнение с полным набором комбинаций"),
                 ZT("Использовать сравнение с полным набором комбинаций"), QKeySequence(), {},
                 [this] { m_view->togglePrefetchsEnabled(); }, [this] { return m_ws.prefetchsEnabled(); }});
    actions.add({"DrawsStatShowTotalLine", ZT("График идеального распределения"),
                 ZT("График идеального распределения"), QKeySequence(), [this] { return m_ws.prefetchsEnabled(); },
                 [this] { m_view->toggleShowTotalLine(); }, [this] { return m_view->showTotalLine(); }});
    actions.add({"StatFilter_Include", ZT("Оставить выделенные"),
                 ZT("В списке комбинаций оставить комбинации с выделенными характеристиками"),
                 QKeySequence(Qt::Key_F7), [this] { return m_view->canFilter(selectedRows()); },
                 [this] { m_view->filterRows(selectedRows(), false); }, {}});
    actions.add({"StatFilter_Exclude", ZT("Удалить выделенные"),
                 ZT("Из списка комбинаций удалить комбинации с выделенными характеристиками"),
                 QKeySequence(Qt::CTRL | Qt::Key_F7), [this] { return m_view->canFilter(selectedRows()); },
                 [this] { m_view->filterRows(selectedRows(), true); }, {}});
    m_calc->setDefaultAction(calc);

    for (const QString& name : menuOrder()) {
        if (name == u'-') {
            auto* separator = new QAction(m_list);
            separator->setSeparator(true);
            m_list->addAction(separator);
        } else if (QAction* a = actions.action(name)) {
            m_list->addAction(a);
        }
    }
    // The filter commands follow the selection at once, not at the next idle update.
    ActionSet* set = &actions;
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, set, [set] { set->updateStates(); });
}

void StatisticsTab::setWindowLength(int length)
{
    const int n = std::clamp(length, 1, StatisticsView::kMaxWindowLength);
    m_length->setValue(n);
    m_view->setWindowLength(n);
}

void StatisticsTab::setChartHeight(int height)
{
    m_pendingChartHeight = std::max(height, 0);
    applyPendingChartHeight();
}

void StatisticsTab::applyPendingChartHeight()
{
    // The stored height fits once the page has a size that holds it.
    const int total = m_splitter->height() - m_splitter->handleWidth();
    if (m_pendingChartHeight >= 0 && total >= m_pendingChartHeight + kMinListHeight) {
        m_splitter->setSizes({total - m_pendingChartHeight, m_pendingChartHeight});
        m_pendingChartHeight = -1;
    }
}

int StatisticsTab::chartHeight() const
{
    return m_pendingChartHeight >= 0 ? m_pendingChartHeight : m_chartView->height();
}

void StatisticsTab::showNormColumns(bool shown)
{
    QHeaderView* header = m_list->header();
    for (int c : kNormColumns) {
        if (shown)
            header->resizeSection(c, kNormColumnWidth);
        header->setSectionHidden(c, !shown);
    }
}

void StatisticsTab::setControlsEnabled(bool enabled)
{
    m_type->setEnabled(enabled);
    m_length->setEnabled(enabled);
}

std::vector<int> StatisticsTab::selectedRows() const
{
    return m_list->selectedSourceRows();
}

bool StatisticsTab::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_length && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            lengthEntered();
    } else if (watched == m_splitter && event->type() == QEvent::Resize) {
        applyPendingChartHeight();
    }
    return QWidget::eventFilter(watched, event);
}

void StatisticsTab::lengthEntered()
{
    // A text outside 1 .. 2147483647 (or no number at all) computes nothing.
    m_length->interpretText();
    if (!m_length->hasAcceptableInput())
        return;
    m_view->setWindowLength(m_length->value());
    m_view->ComputeStatTable(false);
}

void StatisticsTab::fillChooser()
{
    m_filling = true;
    m_type->clear();
    for (const StatChooserEntry& e : m_view->statEntries())
        m_type->addItem(e.text, e.methodIndex);
    m_type->setCurrentIndex(m_view->statIndex());
    m_filling = false;
}

void StatisticsTab::chooserChanged(int index)
{
    if (m_filling)
        return;
    m_view->setStatIndex(index);
    m_view->ComputeStatTable(false);
}

void StatisticsTab::tableChanged()
{
    m_model->refresh();
    rebuildChart();
}

void StatisticsTab::rebuildChart()
{
    m_chart->removeAllSeries();
    for (QAbstractAxis* axis : m_chart->axes()) {
        m_chart->removeAxis(axis);
        delete axis;
    }
    const StatChart& data = m_view->chart();
    if (data.empty())
        return;

    auto* xAxis = new QCategoryAxis;
    xAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    xAxis->setLabelsFont(smallFont(font()));
    xAxis->setGridLineVisible(false);
    auto* yAxis = new QValueAxis;
    yAxis->setLabelsFont(smallFont(font()));
    yAxis->setLabelFormat(QStringLiteral("%.0f"));
    m_chart->addAxis(xAxis, Qt::AlignBottom);
    m_chart->addAxis(yAxis, Qt::AlignLeft);

    double top = 0.0;
    int first = 0;
    int last = 0;
    const auto add = [&](const StatChartSeries& s, const QColor& colour, int width, bool markers) {
        auto* line = new QLineSeries;
        line->setName(s.name);
        QPen pen(colour);
        pen.setWidth(width);
        line->setPen(pen);
        if (markers) {
            line->setMarkerSize(kMarkerSize);
            line->setLightMarker(pointMarker());
            line->setPointsVisible(true);
        }
        for (const StatChartPoint& p : s.points) {
            line->append(p.x, p.y);
            top = std::max(top, p.y);
            first = first == 0 ? p.x : std::min(first, p.x);
            last = std::max(last, p.x);
        }
        m_chart->addSeries(line);
        line->attachAxis(xAxis);
        line->attachAxis(yAxis);
    };
    add(data.actual, kActualColour, 2, true);
    if (data.total)
        add(*data.total, kTotalColour, 1, false);

    xAxis->setRange(first - 0.5, last + 0.5);
    xAxis->setStartValue(first - 0.5);
    yAxis->setRange(0.0, top > 0.0 ? top * 1.05 : 1.0);
    // Nice numbers pick round steps for about as many ticks as the height holds.
    yAxis->setTickCount(std::clamp(m_chartView->height() / 30, 2, 6));
    yAxis->applyNiceNumbers();
    thinAxisLabels(true);
}

void StatisticsTab::thinAxisLabels(bool force)
{
    const auto axes = m_chart->axes(Qt::Horizontal);
    if (axes.isEmpty())
        return;
    auto* xAxis = qobject_cast<QCategoryAxis*>(axes.front());
    if (!xAxis)
        return;
    // Every value's label, the full-set series naming the values the window
    // lacks; then as many of them as fit side by side.
    const StatChart& data = m_view->chart();
    std::map<int, QString> labels;
    for (const StatChartPoint& p : data.actual.points)
        labels.emplace(p.x, p.label);
    if (data.total)
        for (const StatChartPoint& p : data.total->points)
            labels.emplace(p.x, p.label);
    if (labels.empty())
        return;
    const QFontMetrics fm(xAxis->labelsFont());
    int widest = 1;
    for (const auto& [x, label] : labels)
        widest = std::max(widest, fm.horizontalAdvance(label));
    const int plotWidth = m_chart->plotArea().width() > 0 ? static_cast<int>(m_chart->plotArea().width())
                                                           : std::max(100, m_chartView->width() - 60);
    const int fit = std::max(1, plotWidth / (widest + kLabelGap));
    const int step = std::max<int>(1, static_cast<int>((labels.size() + static_cast<size_t>(fit) - 1) / fit));
    // New labels may move the plot area again; the same step changes nothing.
    if (!force && step == m_labelStep)
        return;
    m_labelStep = step;

    for (const QString& l : xAxis->categoriesLabels())
        xAxis->remove(l);
    std::set<QString> used;
    int i = 0;
    for (const auto& [x, label] : labels) {
        if (i++ % step == 0 && used.insert(label).second)
            xAxis->append(label, x);
    }
}

}  // namespace zircon
