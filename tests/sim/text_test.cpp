// The text singleton's display names. The names the library shows without it are the
// front-end tests' business.
#include "sim_fixture.h"

#include "ZyvoText.h"
#include "ZyvoVideoConfiguration.h"

#include <set>

namespace {

using TextTablesTest = SimTest;

// A slip in the format table shows up as a repeated name or a format without a raster.
TEST_F(TextTablesTest, everyNamedFormatIsDistinctAndHasAPicture) {
    ZyvoText* text = ZyvoText::GetInstance();
    ASSERT_NE(text, nullptr);
    std::set<std::string> seen;
    for (const auto& [format, name] : text->mVideoFormatNames) {
        EXPECT_TRUE(seen.insert(name).second) << "repeated name " << name;
        unsigned width = 0;
        EXPECT_EQ(ZyvoVideoConfiguration(format).GetPictureWidth(width), 1) << name;
    }
    EXPECT_EQ(seen.size(), 47u);
}

} // namespace
