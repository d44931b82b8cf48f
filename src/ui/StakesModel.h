#pragma once
// The virtual model of the stakes grid `sgStakes`: one row per record of the
// stakes file (at least one, empty, for an empty file), read on demand, nine
// columns, the row colour of the stake's kind.
#include <QAbstractTableModel>

namespace zircon {

class StakeCommands;

class StakesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StakesModel(StakeCommands& stakes, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes the new record count when it changed; repaints otherwise.
    // Returns whether the row count changed.
    bool refresh();
    // Records in the file as the model last saw them.
    int records() const { return m_records; }

private:
    StakeCommands& m_stakes;
    int m_records = 0;
};

}  // namespace zircon
