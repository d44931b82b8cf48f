#pragma once
// Lists and archives for the combination-list tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "core/DrawArchive.h"
#include "core/Types.h"
#include "support/DrawFixtures.h"
#include "support/TempDir.h"
#include "workbench/CombList.h"

namespace zircon::test {

inline CombList listOf(std::initializer_list<TComb> combs, size_t capacity = 0)
{
    CombList list;
    list.reserve(capacity ? capacity : std::max<size_t>(combs.size(), 1));
    for (const TComb& c : combs)
        EXPECT_TRUE(list.append(c));
    return list;
}

inline std::vector<TComb> contents(const CombList& list)
{
    return std::vector<TComb>(list.begin(), list.end());
}

// An archive holding exactly these draws (oldest first), stored in `dir`.
inline DrawArchive archiveOf(const TempDir& dir, const TDrawsArray& draws, int offset = 0)
{
    DrawArchive archive;
    archive.store(dir.file(QStringLiteral("archive.ldr")), draws);
    EXPECT_EQ(archive.count(), static_cast<int>(draws.size()));
    archive.setDrawsOffset(offset);
    EXPECT_EQ(archive.drawsOffset(), offset);
    return archive;
}

}  // namespace zircon::test
