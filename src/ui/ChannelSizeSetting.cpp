#include "ui/ChannelSizeSetting.h"

#include "core/IniStore.h"
#include "core/Lottery.h"

namespace zircon {

int channelSizeSetting(const IniStore& settings)
{
    return settings.readInt(u"GLOBAL", u"ChannelSize", kDefaultChannelSize, 1, kMainMax);
}

}  // namespace zircon
