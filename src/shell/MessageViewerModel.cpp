#include "shell/MessageViewerModel.h"

#include "core/Format.h"
#include "core/TextCodec.h"
#include "core/Tr.h"

namespace zircon {

void MessageViewerModel::add(const QString& text, uint32_t rgb)
{
    if (text.trimmed().isEmpty())
        return;
    if (!m_lines.empty())
        m_lines.push_back({QString(), rgb});
    for (const QString& line : splitTextLines(text))
        m_lines.push_back({line, rgb});
    ++m_count;
}

void MessageViewerModel::clear()
{
    m_lines.clear();
    m_count = 0;
}

QString MessageViewerModel::countText() const
{
    return fmt(tr("Всего сообщений: %d"), m_count);
}

}  // namespace zircon
