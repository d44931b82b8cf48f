#pragma once
// The rows of the draws list `lvDraws`, filled on demand from the archive:
// row r is the draw at archive index High - r (newest first). Nothing is
// copied, so the list stays quick however long the archive grows.
#include <QAbstractTableModel>
#include <QColor>

#include <functional>

#include "ui/ChannelColours.h"

namespace zircon {

class DrawArchive;

class DrawsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColNumber, ColN1, ColN2, ColN3, ColN4, ColN5, ColExtra, ColSum, ColDate, ColumnCount };

    explicit DrawsModel(const DrawArchive& archive, QObject* parent = nullptr);

    // Where the channel size comes from; asked once per refresh or repaint.
    void setChannelSizeSource(std::function<int()> source);
    void setSortedDraws(bool on);
    void setColorDraws(bool on);
    bool sortedDraws() const { return m_sorted; }
    bool colorDraws() const { return m_color; }
    int channelSize() const { return m_channels.size(); }

    // Takes the archive's row count when it changed (the view starts anew)
    // and otherwise repaints every row in place, keeping the selection.
    void refresh(bool force);
    // Repaints every row (offset, options or channel size changed).
    void repaint();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The colours of the list, for the tests and the legend.
    static QColor currentDrawColour() { return QColor(255, 170, 170); }
    static QColor plainColour() { return QColor(Qt::white); }

private:
    QString cellText(int row, int column) const;
    QColor cellBackground(int row, int column) const;

    const DrawArchive& m_archive;
    int m_rows = 0;
    ChannelColours m_channels;
    bool m_sorted = false;
    bool m_color = true;
};

}  // namespace zircon
