#include "doubles/RecordingMessages.h"

#include <gtest/gtest.h>

using namespace lumelle::platform;

TEST(MessageLayer, ScopedLayerRecordsAndIsRemovedAfterwards)
{
    {
        RecordingMessages outer;
        ScopedMessages useOuter(&outer);
        {
            RecordingMessages inner;
            inner.queueAnswer(true);
            ScopedMessages useInner(&inner);
            messages().showMessage("a");
            EXPECT_TRUE(messages().askYesNo("q"));
            EXPECT_FALSE(messages().askYesNo("q2")) << "an empty answer queue answers No";
            EXPECT_EQ(inner.texts(), QStringList({"a", "q", "q2"}));
        }
        messages().showInformation("b");
        ASSERT_EQ(outer.entries().size(), 1u);
        EXPECT_EQ(outer.entries()[0].kind, RecordingMessages::Kind::Information);
    }
    EXPECT_FALSE(messages().askYesNo("q3")) << "without a layer questions are answered No";
}
