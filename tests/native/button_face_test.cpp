// Which face an owner-drawn picture button draws for each item state and each
// set of loaded faces.
#include <gtest/gtest.h>

#include "ui/button_face.h"

namespace tessaly {
namespace {

struct FaceCase {
  uint32_t state;
  bool has[4];  // up, down, focus, disabled
  ButtonFace face;
};

class ButtonFaceChoice : public testing::TestWithParam<FaceCase> {};

TEST_P(ButtonFaceChoice, PressedThenFocusedThenDisabledElseUp) {
  const FaceCase& c = GetParam();
  EXPECT_EQ(ChooseButtonFace(c.state, c.has), c.face) << "state " << c.state;
}

constexpr bool kAll[4] = {true, true, true, true};
constexpr uint32_t kSel = kItemSelected, kFoc = kItemFocus, kDis = kItemDisabled;

INSTANTIATE_TEST_SUITE_P(
    States, ButtonFaceChoice,
    testing::Values(
        FaceCase{0, {true, true, true, true}, ButtonFace::kUp},
        FaceCase{kSel, {true, true, true, true}, ButtonFace::kDown},
        FaceCase{kFoc, {true, true, true, true}, ButtonFace::kFocus},
        FaceCase{kDis, {true, true, true, true}, ButtonFace::kDisabled},
        FaceCase{kSel | kFoc, {true, true, true, true}, ButtonFace::kDown},
        FaceCase{kFoc | kDis, {true, true, true, true}, ButtonFace::kFocus},
        FaceCase{kSel | kFoc | kDis, {true, true, true, true}, ButtonFace::kDown},
        // A face that was not loaded gives way to the next rule, then to up.
        FaceCase{kSel | kFoc, {true, false, true, true}, ButtonFace::kFocus},
        FaceCase{kSel | kDis, {true, false, true, true}, ButtonFace::kDisabled},
        FaceCase{kSel, {true, false, true, true}, ButtonFace::kUp},
        FaceCase{kFoc | kDis, {true, true, false, true}, ButtonFace::kDisabled},
        FaceCase{kDis, {true, true, true, false}, ButtonFace::kUp},
        FaceCase{kSel | kFoc | kDis, {true, false, false, false}, ButtonFace::kUp},
        // Other state bits (checked, grayed, default) do not count.
        FaceCase{0x0008 | 0x0002 | 0x0020, {true, true, true, true}, ButtonFace::kUp}));

TEST(ButtonFace, FacesAreNumberedInLoadOrder) {
  EXPECT_EQ(static_cast<int>(ChooseButtonFace(kSel, kAll)), 1);
  EXPECT_EQ(static_cast<int>(ChooseButtonFace(kFoc, kAll)), 2);
  EXPECT_EQ(static_cast<int>(ChooseButtonFace(kDis, kAll)), 3);
}

}  // namespace
}  // namespace tessaly
