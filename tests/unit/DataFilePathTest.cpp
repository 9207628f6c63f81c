#include "app/DataFilePath.h"

#include <gtest/gtest.h>

using namespace parvo;

TEST(DataFilePath, MapsExactlyTheKnownIndices)
{
    const QString dir = QStringLiteral("/opt/parvo/");
    const std::pair<int, const char*> known[] = {
        {0, "data1.mke"}, {1, "data2.mke"}, {2, "data3.mke"}, {3, "data4.mke"},
        {4, "data5.mke"}, {5, "data6.mke"}, {6, "data7.mke"}, {10, "pvfolder.exe"},
        {20, "parvo.chm"}};
    for (auto [index, name] : known)
        EXPECT_EQ(DataFilePath(index, dir), dir + QLatin1String(name)) << index;
    for (int index : {-1, 7, 8, 9, 11, 19, 21, 100})
        EXPECT_TRUE(DataFilePath(index, dir).isEmpty()) << index;
}

TEST(DataFilePath, AddsTheSeparatorWhenTheFolderLacksIt)
{
    EXPECT_EQ(DataFilePath(0, QStringLiteral("/opt/parvo")), QStringLiteral("/opt/parvo/data1.mke"));
}
