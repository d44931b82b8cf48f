#include "ui/StakesGridDelegate.h"

#include <QApplication>
#include <QPainter>

#include "core/Shema.h"
#include "shell/StakeCommands.h"
#include "shell/StakesColumns.h"
#include "ui/StakesModel.h"

namespace zircon {
namespace {

constexpr int kNumberGap = 3;
constexpr int kMargin = 2;

}  // namespace

StakesGridDelegate::StakesGridDelegate(StakeCommands& stakes, QObject* parent)
    : QStyledItemDelegate(parent), m_stakes(stakes)
{
}

void StakesGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int column = index.column();
    const auto* model = qobject_cast<const StakesModel*>(index.model());
    const bool numbers = column == StakeColNumbers || column == StakeColResult;
    if (!numbers || !model || index.row() >= model->records()) {
        QStyleOptionViewItem opt = option;
        if (column == StakeColProfit || column == StakeColComment)
            opt.rect.adjust(kMargin, 0, -kMargin, 0);
        QStyledItemDelegate::paint(painter, opt, index);
        return;
    }
    const StakeRecord r = m_stakes.record(index.row());
    // The background and selection as for any cell, without the text.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    if (r.isSeparator() || (column == StakeColResult && !r.checked))
        return;

    std::vector<int> values;
    if (column == StakeColNumbers)
        for (int i = 0; i < shemaSize(r.numbers); ++i)
            values.push_back(r.numbers.nums[static_cast<size_t>(i)]);
    else
        for (uint8_t v : r.drawNumbers.n)
            values.push_back(v);
    auto matched = [&](int v) {
        for (int i = 0; i < shemaSize(r.matched); ++i)
            if (r.matched.nums[static_cast<size_t>(i)] == v)
                return true;
        return false;
    };
    QFont normal = option.font;
    QFont bold = option.font;
    bold.setBold(true);
    const bool selected = option.state & QStyle::State_Selected;
    const QColor text = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    int width = 0;
    for (size_t i = 0; i < values.size(); ++i)
        width += QFontMetrics(matched(values[i]) ? bold : normal).horizontalAdvance(QString::number(values[i]))
                 + (i > 0 ? kNumberGap : 0);
    int x = option.rect.left() + std::max(0, (option.rect.width() - width) / 2);
    painter->save();
    for (int v : values) {
        const bool hit = matched(v);
        painter->setFont(hit ? bold : normal);
        painter->setPen(hit ? QColor(Qt::blue) : text);
        const QString s = QString::number(v);
        const int w = QFontMetrics(painter->font()).horizontalAdvance(s);
        painter->drawText(QRect(x, option.rect.top(), w, option.rect.height()), Qt::AlignVCenter | Qt::AlignLeft, s);
        x += w + kNumberGap;
    }
    painter->restore();
}

}  // namespace zircon
