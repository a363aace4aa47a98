#include "engine/PiecePath.h"

#include <gtest/gtest.h>

namespace {

struct DerivationCase {
    const char* chosen;
    const char* base;
};

const DerivationCase kDerivations[] = {
    {"film.avi.1", "film.avi"},     {"data1.1", "data1"},           {"notes.1.1", "notes.1"},
    {"film.avi.11", "film.avi"},    {"film.avi.111", "film.avi"},   {"film.avi.21", "film.avi.2"},
    {"film.avi.2", "film.avi.2"},   {"film...1", "film"},           {"report11", "report"},
    {"C:\\pieces\\1", "C:\\pieces\\"}, {"report.txt", "report.txt"}, {"name..1", "name"},
    {"x.11", "x"},                  {"", ""},                       {"1", ""},
    {".1", ""},
};

TEST(DeriveBasePath, CutsTrailingOnesThenTrailingDots)
{
    for (const DerivationCase& c : kDerivations)
        EXPECT_STREQ(c.base, DeriveBasePath(c.chosen)) << "chosen: " << c.chosen;
}

TEST(MakePiecePath, AppendsDecimalNumberWithoutPadding)
{
    EXPECT_STREQ("D:\\video\\film.avi.1", MakePiecePath("D:\\video\\film.avi", 1));
    EXPECT_STREQ("D:\\video\\film.avi.10", MakePiecePath("D:\\video\\film.avi", 10));
    EXPECT_STREQ("a.2147483647", MakePiecePath("a", 2147483647));
}

TEST(MakePiecePath, FirstPieceDerivesBackToItsBase)
{
    for (const char* base : {"film.avi", "data1", "report11", "C:\\a b\\c", "x"})
        EXPECT_STREQ(base, DeriveBasePath(MakePiecePath(base, 1))) << "base: " << base;
}

} // namespace
