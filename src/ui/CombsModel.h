#pragma once
// The rows of the combination list `lvCombs`, filled on demand from the list:
// row i is list entry i. Nothing is kept per row, so the full set of eleven
// million combinations costs the model nothing beyond the list itself.
#include <QAbstractTableModel>
#include <QColor>

#include <functional>

#include "ui/ChannelColours.h"

namespace zircon {

class CombList;

class CombsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColIndex, ColN1, ColN2, ColN3, ColN4, ColN5, ColSum, ColumnCount };

    explicit CombsModel(const CombList& list, QObject* parent = nullptr);

    // Where the channel size comes from; asked once per refresh or repaint.
    void setChannelSizeSource(std::function<int()> source);
    // "ColorCombs": the number cells take their channel colour.
    void setColorCombs(bool on);
    bool colorCombs() const { return m_color; }
    int channelSize() const { return m_channels.size(); }

    // Takes the list's count when it changed (the view starts anew, its
    // selection with it) and otherwise repaints the rows in place.
    void refresh();
    // Repaints every row (options or channel size changed).
    void repaint();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    static QColor plainColour() { return QColor(Qt::white); }

private:
    QString cellText(int row, int column) const;
    QColor cellBackground(int row, int column) const;

    const CombList& m_list;
    int m_rows = 0;
    ChannelColours m_channels;
    bool m_color = true;
};

}  // namespace zircon
