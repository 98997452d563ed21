#include "core/ResourceUtility.hpp"

#include "core/Exception.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

TEST(ResourceUtility, ConvertsToFilesystemPaths)
{
    EXPECT_EQ("./resources/gui/a.png", ToFilesystemPath("resources|gui|a.png").generic_string());
    EXPECT_EQ("./configuration/pcg/difficulty_to_misson_length.graph",
              ToFilesystemPath("|configuration|pcg|difficulty_to_misson_length.graph").generic_string());
    EXPECT_EQ("./a/b", ToFilesystemPath("a||b|").generic_string());
    EXPECT_EQ(".", ToFilesystemPath("").generic_string());
    EXPECT_EQ(".", ToFilesystemPath("$").generic_string());
    EXPECT_EQ("./resources/particles", ToFilesystemPath("resources|enemies|001|$resources|particles").generic_string());
}

TEST(ResourceUtility, RefusesDotsOnTheWayToTheFileSystem)
{
    EXPECT_EQ("Double dots are not allowed in path: resources|..|..|etc|passwd",
              ThrownMessage<ParseError>([] { ToFilesystemPath("resources|..|..|etc|passwd"); }));
    EXPECT_EQ("Dots are not allowed in path: a|.|b", ThrownMessage<ParseError>([] { ToFilesystemPath("a|.|b"); }));
    EXPECT_EQ("Double dots are not allowed in path: x|$..|b",
              ThrownMessage<ParseError>([] { ToFilesystemPath("x|$..|b"); }));
    // A '/' inside a part neither hides dots nor reaches the file-system root.
    EXPECT_EQ("Double dots are not allowed in path: resources|../../etc|passwd",
              ThrownMessage<ParseError>([] { ToFilesystemPath("resources|../../etc|passwd"); }));
    EXPECT_EQ("./etc/passwd", ToFilesystemPath("$/etc/passwd").generic_string());
    EXPECT_EQ("./x/etc/passwd", ToFilesystemPath("x|/etc/passwd").generic_string());
}

TEST(ResourceUtility, ConvertsBackToResourcePaths)
{
    EXPECT_EQ("resources|gui", ToResourcePath("./resources/gui"));
    EXPECT_EQ("a|b", ToResourcePath("/a/b"));
    EXPECT_EQ("a||b", ToResourcePath("a//b"));
    EXPECT_EQ("", ToResourcePath("."));
    EXPECT_EQ("Dots are not allowed in path: ./a/./b", ThrownMessage<ParseError>([] { ToResourcePath("./a/./b"); }));
    EXPECT_EQ("Double dots are not allowed in path: ./a/../b",
              ThrownMessage<ParseError>([] { ToResourcePath("./a/../b"); }));
    EXPECT_EQ("Dots are not allowed in path: ./a/.", ThrownMessage<ParseError>([] { ToResourcePath("./a/."); }));
    for (const char* path : {"resources|enemies|airships|000|details.xml", "a", "x|y.png"})
        EXPECT_EQ(path, ToResourcePath(ToFilesystemPath(path)));
}

TEST(ResourceUtility, CanonizesPathsWithDollars)
{
    EXPECT_EQ("resources|a.png", Canonize("resources|a.png"));
    EXPECT_EQ("a|..|b", Canonize("a|..|b"));
    EXPECT_EQ("|a|b|c", Canonize("x|y|$a|.|b||c"));
    EXPECT_EQ("|a|c", Canonize("$a|b|..|c"));
    EXPECT_EQ("|c", Canonize("$a|b|..|..|c"));
    EXPECT_EQ("|b", Canonize("$a|..|b"));
    EXPECT_EQ("can not go outside game root directory: $a|..|..|c",
              ThrownMessage<LogicError>([] { Canonize("$a|..|..|c"); }));
    EXPECT_EQ("can not go outside game root directory: x|$..|a", ThrownMessage<LogicError>([] { Canonize("x|$..|a"); }));
    EXPECT_EQ("canonical path would be empty: $", ThrownMessage<RuntimeError>([] { Canonize("$"); }));
    EXPECT_EQ("canonical path would be empty: $.|", ThrownMessage<RuntimeError>([] { Canonize("$.|"); }));
}

TEST(ResourceUtility, FindsParentsAndJoins)
{
    EXPECT_EQ("resources|enemies|airships|000", GetParentResourcePath("resources|enemies|airships|000|details.xml"));
    EXPECT_EQ("a|b", GetParentResourcePath("$a|b|c.xml"));
    EXPECT_EQ("", GetParentResourcePath("x.xml"));
    EXPECT_EQ("|b.xml", JoinResourcePath(GetParentResourcePath("a.xml"), "b.xml"));
    EXPECT_EQ("./b.xml", ToFilesystemPath("|b.xml").generic_string());
    EXPECT_EQ("|resources|particles",
              Canonize(JoinResourcePath(GetParentResourcePath("resources|enemies|001|details.xml"),
                                        "$resources|particles")));
}
