#include "widgets/LinkTarget.h"

#include <gtest/gtest.h>

using parvo::LinkTarget;

TEST(LinkTarget, AddsTheSchemeALinkNeeds)
{
    EXPECT_EQ(LinkTarget("http://www.parvo.example/"), "http://www.parvo.example/");
    EXPECT_EQ(LinkTarget("mailto:anna@example.org"), "mailto:anna@example.org");
    EXPECT_EQ(LinkTarget("HTTPS://x.example"), "HTTPS://x.example");
    EXPECT_EQ(LinkTarget(" www.parvo.example "), "http://www.parvo.example");
    EXPECT_EQ(LinkTarget("anna@example.org"), "mailto:anna@example.org");
    EXPECT_EQ(LinkTarget("www.example.org/~anna@home"), "http://www.example.org/~anna@home");
    // Never an option of the opener, never a drive taken for a scheme.
    EXPECT_EQ(LinkTarget("-version"), "http://-version");
    EXPECT_EQ(LinkTarget("c:/x"), "http://c:/x");
    EXPECT_EQ(LinkTarget("1http:x"), "http://1http:x");
    EXPECT_EQ(LinkTarget(""), "");
}
