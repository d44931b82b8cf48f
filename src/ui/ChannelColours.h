#pragma once
// The channel colours of the number cells of a list: the channel size comes
// from the engine settings and is read again on every refresh.
#include <QColor>

#include <functional>

#include "core/Grouping.h"

namespace zircon {

class ChannelColours {
public:
    void setSource(std::function<int()> source)
    {
        m_source = std::move(source);
        read();
    }
    void read()
    {
        if (m_source)
            m_size = m_source();
    }
    int size() const { return m_size; }
    QColor colour(int number) const
    {
        const TRgb c = ChannelColour(number, m_size);
        return QColor(c.r, c.g, c.b);
    }

private:
    std::function<int()> m_source;
    int m_size = 10;
};

}  // namespace zircon
