#include "picture_view_model.h"

#include <gtest/gtest.h>

#include "platform/desktop.h"

namespace vx::viewer {
namespace {

std::function<bool(Bitmap&)> Picture(int w, int h, Color color = 0x336699) {
  return [=](Bitmap& out) {
    out = Bitmap(w, h);
    out.Fill(color);
    return true;
  };
}

TEST(FitPicture, ScalesDownLargePicturesAndCentresSmallOnes) {
  const struct {
    const char* what;
    Size picture, box;
    Rect rect;
    double ratio;
  } cases[] = {
      {"4:3 into 4:3", {4000, 3000}, {1000, 750}, {0, 0, 1000, 750}, 4},
      {"wide into square", {2000, 1000}, {500, 500}, {0, 125, 500, 375}, 4},
      {"tall into wide", {1000, 2000}, {800, 400}, {300, 0, 500, 400}, 5},
      {"small picture keeps its size", {300, 200}, {1000, 750}, {350, 275, 650, 475}, 1},
  };
  for (const auto& c : cases) {
    const Fit fit = FitPicture(c.picture, c.picture, c.box);
    EXPECT_EQ(fit.rect, c.rect) << c.what;
    EXPECT_DOUBLE_EQ(fit.pixelRatio, c.ratio) << c.what;
  }
}

class ViewModel : public testing::Test {
 protected:
  void SetUp() override { model_.SetPaintBoxSize({1000, 750}); }
  PictureViewModel model_;
};

TEST_F(ViewModel, ZoomPreviewThenApplyThenReset) {
  ASSERT_TRUE(model_.LoadPicture(Picture(4000, 3000)));
  EXPECT_DOUBLE_EQ(model_.PixelRatio(), 4);
  model_.ZoomStep(false);
  EXPECT_EQ(model_.State(), ZoomMode::Preview);
  EXPECT_NEAR(model_.ZoomFactor(), 0.9, 1e-9);
  model_.ZoomStep(false);
  EXPECT_NEAR(model_.ZoomFactor(), 0.8, 1e-9);
  model_.ZoomStep(false);
  EXPECT_NEAR(model_.ZoomFactor(), 0.8, 1e-9);  // 4000 / 5000 is the lowest factor
  std::vector<int> reported;
  model_.ApplyZoom([&](int percent, bool&) { reported.push_back(percent); });
  EXPECT_EQ(model_.WorkingPicture().Width(), 5000);
  EXPECT_EQ(model_.WorkingPicture().Height(), 3750);
  EXPECT_DOUBLE_EQ(model_.PixelRatio(), 5);
  EXPECT_TRUE(model_.Zoomed());
  EXPECT_DOUBLE_EQ(model_.ZoomFactor(), 1.0);
  EXPECT_EQ(model_.State(), ZoomMode::Normal);
  EXPECT_EQ(reported.front(), 0);

  model_.ZoomStep(true);  // a step after an applied zoom goes back
  EXPECT_FALSE(model_.Zoomed());
  EXPECT_EQ(model_.WorkingPicture().Width(), 4000);
  EXPECT_DOUBLE_EQ(model_.PixelRatio(), 4);
}

TEST_F(ViewModel, ZoomFactorBounds) {
  ASSERT_TRUE(model_.LoadPicture(Picture(400, 300)));
  for (int i = 0; i < 40; ++i) model_.ZoomStep(true);
  EXPECT_DOUBLE_EQ(model_.ZoomFactor(), 3.0);

  PictureViewModel wide;
  wide.SetPaintBoxSize({1000, 750});
  ASSERT_TRUE(wide.LoadPicture(Picture(6000, 1000)));
  wide.ZoomStep(true);
  EXPECT_NEAR(wide.ZoomFactor(), 1.2, 1e-9);
  PictureViewModel wideDown;
  wideDown.SetPaintBoxSize({1000, 750});
  ASSERT_TRUE(wideDown.LoadPicture(Picture(6000, 1000)));
  wideDown.ZoomStep(false);
  EXPECT_NEAR(wideDown.ZoomFactor(), 1.2, 1e-9);
}

TEST_F(ViewModel, LensShowsThePictureAndNeverPureBlack) {
  ASSERT_TRUE(model_.LoadPicture(Picture(300, 200, 0x000000)));
  EXPECT_EQ(model_.WorkingPicture().Pixel(10, 10), 0x010101u);
  EXPECT_EQ(model_.BackBuffer().Pixel(500, 375), 0x010101u);
  EXPECT_EQ(model_.BackBuffer().Pixel(5, 5), kViewBackground);
  // The lens centred on the picture shows it 1:1: the centre pixel is the picture's.
  EXPECT_TRUE(model_.MouseDown({500, 375}, true));
  EXPECT_TRUE(model_.Following());
  EXPECT_EQ(model_.LensPicture().Pixel(100, 100), 0x010101u);
  EXPECT_EQ(model_.LensPicture().Pixel(0, 0), 0u);  // outside the circle: transparent
  EXPECT_TRUE(model_.MouseMove({600, 400}));
  EXPECT_EQ(model_.LensPosition(), (Point{500, 300}));
  EXPECT_TRUE(model_.MouseDown({1, 1}, true));
  EXPECT_FALSE(model_.Following());
  EXPECT_FALSE(model_.MouseMove({600, 400}));
  EXPECT_FALSE(model_.MouseDown({1, 1}, false));
}

// After a load and after an applied zoom the lens is rendered from the finished working
// picture: the pointers show in it, and pure black never turns transparent.
TEST_F(ViewModel, LensShowsPointersAndNoHolesAfterLoadsAndZooms) {
  PictureViewModel bare;
  bare.SetPaintBoxSize({1000, 750});
  // A protected area's mark under the lens in its start corner (the lens shows 300..500 at
  // 1:1), and a cloud beside it.
  ASSERT_TRUE(
      model_.SetFrame("<FRAME><PNTRS><PRAR XR=0.05 YR=0.05 RFW=0.1 RFH=0.1 CL_BRUSH=#C0C0C0/>"
                      "<CLD XR=0.1 YR=0.15 ARRTXT=cloud/></PNTRS></FRAME>"));
  for (PictureViewModel* model : {&bare, &model_}) {
    ASSERT_TRUE(model->LoadPicture(Picture(4000, 3000, 0)));
    for (int step = 0; step < 2; ++step) {
      const Bitmap& lens = model->LensPicture();
      for (int y = 20; y < 180; y += 8) {
        for (int x = 20; x < 180; x += 8) {
          if ((x - 100) * (x - 100) + (y - 100) * (y - 100) < 85 * 85) {  // inside the ring
            ASSERT_NE(lens.Pixel(x, y), 0u) << x << "," << y << " step " << step;
          }
        }
      }
      if (step == 0 && model == &model_) {
        EXPECT_NE(lens.Pixel(100, 100), bare.LensPicture().Pixel(100, 100));  // the mark shows
      }
      model->ZoomStep(false);
      model->ApplyZoom();
    }
  }
}

TEST_F(ViewModel, TheLensMovesWithAPreviewAndRefitsOnlyWhenTheSizeChanged) {
  ASSERT_TRUE(model_.LoadPicture(Picture(4000, 3000)));
  model_.ZoomStep(false);
  const Bitmap preview = model_.LensPicture();
  EXPECT_TRUE(model_.MoveLensTo({300, 200}));
  EXPECT_EQ(model_.State(), ZoomMode::Preview);
  EXPECT_EQ(model_.LensPosition(), (Point{300, 200}));
  EXPECT_EQ(model_.LensSource(), (Rect{1500, 1100, 1700, 1300}));
  model_.ApplyZoom();
  EXPECT_TRUE(model_.Zoomed());

  model_.SetPaintBoxSize({1000, 750});
  EXPECT_FALSE(model_.NeedsRefit());
  model_.Refit();
  EXPECT_TRUE(model_.Zoomed());  // the same size: the zoom stays
  model_.SetPaintBoxSize({800, 600});
  EXPECT_TRUE(model_.NeedsRefit());
  model_.Refit();
  EXPECT_FALSE(model_.Zoomed());
  EXPECT_EQ(model_.BackBuffer().Width(), 800);
  EXPECT_DOUBLE_EQ(model_.PixelRatio(), 5);

  model_.ZoomStep(false);
  ASSERT_TRUE(model_.BeginApplyZoom());
  EXPECT_FALSE(model_.MoveLensTo({0, 0}));  // not while resampling
  model_.CancelApplyZoom();
  EXPECT_EQ(model_.State(), ZoomMode::Normal);
  EXPECT_FALSE(model_.Zoomed());
}

TEST_F(ViewModel, LensBorderColourZeroIsDrawnAsAlmostBlack) {
  model_.SetLensBorderColor(0);
  EXPECT_EQ(model_.LensBorderColor(), 0x010101u);
  model_.SetLensBorderColor(TextToColor("#0000FF"));
  EXPECT_EQ(model_.LensBorderColor(), 0x00FF0000u);
}

TEST_F(ViewModel, FailingLoaderKeepsWhatWasShown) {
  ASSERT_TRUE(model_.LoadPicture(Picture(300, 200)));
  EXPECT_FALSE(model_.LoadPicture([](Bitmap&) { return false; }));
  EXPECT_FALSE(model_.LoadPicture([](Bitmap&) -> bool { throw std::runtime_error("broken"); }));
  EXPECT_FALSE(model_.LoadPicture({}));
  EXPECT_EQ(model_.DecodedPicture().Width(), 300);
}

TEST_F(ViewModel, ProtectedAreaHitTestIncludesRightAndBottomEdges) {
  // 1000 x 750 picture fills the box; area at (100, 75), 201 x 76 pixels. Areas whose numbers
  // do not parse or lie far out are skipped.
  ASSERT_TRUE(model_.SetFrame(
      "<FRAME><PNTRS><PRAR XR=x YR=0/><PRAR XR=1e308 YR=-1e308 RFW=1e308 RFH=1e308/>"
      "<PRAR XR=0.1 YR=0.1 RFW=0.2 RFH=0.1/></PNTRS></FRAME>"));
  ASSERT_TRUE(model_.LoadPicture(Picture(1000, 750)));
  const struct {
    Point at;
    bool hit;
  } cases[] = {{{100, 75}, true},
               {{301, 151}, true},
               {{302, 151}, false},
               {{301, 152}, false},
               {{99, 80}, false}};
  for (const auto& c : cases)
    EXPECT_EQ(model_.HitProtectedArea(c.at), c.hit) << c.at.x << "," << c.at.y;
}

TEST_F(ViewModel, BuyLinkNeedsExactTypeAndFlag) {
  const struct {
    const char* fields;
    const char* link;
    const char* address;
  } cases[] = {
      {"<FLD FTYPE=HTTP ISBN=Y VAL=a.example/>", "", "http://"},
      {"<FLD FTYPE=http ISBN=y VAL=a.example/>", "", "http://"},
      {"<FLD FTYPE=http VAL=no/><FLD FTYPE=http ISBN=Y VAL=\"shop.example/b\"/>", "shop.example/b",
       "http://shop.example/b"},
      {"<FLD FTYPE=http ISBN=Y VAL=\"http://shop.example/\"/>", "http://shop.example/",
       "http://shop.example/"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(model_.SetFrame(std::string("<FRAME><FLDS>") + c.fields + "</FLDS></FRAME>"));
    EXPECT_EQ(model_.BuyLink(), c.link) << c.fields;
    EXPECT_EQ(WebAddress(model_.BuyLink()), c.address) << c.fields;
  }
  EXPECT_FALSE(model_.SetFrame("<FRAME"));
  EXPECT_EQ(model_.BuyLink(), "http://shop.example/");  // a broken frame leaves the link
}

// "http://" only in front of an address that names no scheme.
TEST(WebAddressTest, PrefixOnlyWithoutAScheme) {
  const struct {
    const char* given;
    const char* opened;
  } cases[] = {
      {"shop.example", "http://shop.example"},
      {"  shop.example/a b \n", "http://shop.example/a b"},
      {"https://x.example", "https://x.example"},
      {"HTTPS://x.example", "HTTPS://x.example"},
      {"http://x.example", "http://x.example"},
      {"ftp://x.example", "ftp://x.example"},
      {"mailto:me@x.example", "mailto:me@x.example"},
      {"x.example:8080/shop", "http://x.example:8080/shop"},  // a port is no scheme
      {"x.example/?u=http://y", "http://x.example/?u=http://y"},
      {"://x", "http://://x"},
      {"", "http://"},
  };
  for (const auto& c : cases) EXPECT_EQ(WebAddress(c.given), c.opened) << c.given;
}

}  // namespace
}  // namespace vx::viewer
