#include "fft/twiddles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <span>
#include <string>

namespace orv::fft::detail {
namespace {

struct TwiddleTable {
    int m;
    std::span<const double> entries;
};

const TwiddleTable kTables[] = {
    {32, kTwiddles<32>}, {64, kTwiddles<64>}, {128, kTwiddles<128>},
    {256, kTwiddles<256>}, {512, kTwiddles<512>},
};

class Twiddles : public ::testing::TestWithParam<TwiddleTable> {};

// Entry k (from 1) is e^(2 pi i k / m) to within one unit in the last place of each part.
TEST_P(Twiddles, EntriesAreTheQuarterPeriodRootsOfUnity) {
    const TwiddleTable& table = GetParam();
    ASSERT_EQ(table.entries.size(), static_cast<std::size_t>(2 * (table.m / 4 - 1)));
    for (int k = 1; k < table.m / 4; ++k) {
        const long double angle = 2.0L * std::numbers::pi_v<long double> * k / table.m;
        const double re = static_cast<double>(std::cos(angle));
        const double im = static_cast<double>(std::sin(angle));
        const std::size_t at = static_cast<std::size_t>(2 * (k - 1));
        EXPECT_NEAR(table.entries[at], re, std::nextafter(re, 2.0) - re) << "k = " << k;
        EXPECT_NEAR(table.entries[at + 1], im, std::nextafter(im, 2.0) - im) << "k = " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(AllSizes, Twiddles, ::testing::ValuesIn(kTables),
                         [](const ::testing::TestParamInfo<TwiddleTable>& param) {
                             std::string name(1, 'm');
                             name += std::to_string(param.param.m);
                             return name;
                         });

}  // namespace
}  // namespace orv::fft::detail
