#pragma once
// The content of the message viewer "Сообщения": coloured lines and the count
// of messages, kept apart from the window so the rules can be tested.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace zircon {

struct ViewerLine {
    QString text;
    uint32_t rgb = 0;  // 0xRRGGBB
};

class MessageViewerModel {
public:
    // Adds a message: an empty line first when the list already holds lines,
    // then the text's lines. A blank text only refreshes the count line.
    void add(const QString& text, uint32_t rgb);
    void clear();

    const std::vector<ViewerLine>& lines() const { return m_lines; }
    int count() const { return m_count; }
    QString countText() const;  // "Всего сообщений: %d"

private:
    std::vector<ViewerLine> m_lines;
    int m_count = 0;
};

inline constexpr uint32_t kViewerMaroon = 0x800000;

}  // namespace zircon
