#pragma once
// The channel size that colours the number cells of the lists. It belongs to
// the statistics configuration; until that configuration object exists the
// value is read from its place in the settings file.
namespace zircon {

class IniStore;

inline constexpr int kDefaultChannelSize = 10;

// Section "GLOBAL", key "ChannelSize", default 10, brought into 1..69.
int channelSizeSetting(const IniStore& settings);

}  // namespace zircon
