#include "toolkit/gui_editor.h"

#include "toolkit_fixture.h"

namespace orv::test {
namespace {

class Probe : public CControl {
public:
    Probe(const CRect& size, bool* goneFlag) : CControl(size), gone(goneFlag) {}
    ~Probe() override { *gone = true; }
    void draw(CDrawContext&) override { ++draws; }
    int draws = 0;

private:
    bool* gone;
};

// Opens a 60 x 40 window offscreen with one probe view; counts host idles and gestures.
class ProbeEditor : public AEffGUIEditor {
public:
    ProbeEditor()
        : AEffGUIEditor([this] { ++hostIdles; },
                        [this](void* parent, const CRect& size) {
                            seenParent = parent;
                            return std::make_unique<COffscreenPlatform>(static_cast<int32_t>(size.getWidth()),
                                                                        static_cast<int32_t>(size.getHeight()));
                        }) {
        setRect({0, 0, 60, 40});
    }
    bool open(void* parent) override {
        AEffGUIEditor::open(parent);
        frame = std::make_unique<CFrame>(CRect{0, 0, 60, 40}, createPlatform({0, 0, 60, 40}), this);
        probe = frame->addView(std::make_unique<Probe>(CRect{0, 0, 10, 10}, &probeGone));
        return true;
    }
    void beginEdit(int32_t index) override { edits.emplace_back('b', index); }
    void endEdit(int32_t index) override { edits.emplace_back('e', index); }

    int hostIdles = 0;
    void* seenParent = nullptr;
    Probe* probe = nullptr;
    bool probeGone = false;
    std::vector<std::pair<char, int32_t>> edits;
};

TEST(GuiEditor, ReportsItsRectangleBeforeAndAfterOpen) {
    ProbeEditor editor;
    vst::ERect* rect = nullptr;
    ASSERT_TRUE(editor.getRect(&rect));
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 60);
    EXPECT_EQ(rect->bottom, 40);
    int parent = 0;
    editor.open(&parent);
    EXPECT_EQ(editor.seenParent, &parent);
    ASSERT_TRUE(editor.getRect(&rect));
    EXPECT_EQ(rect->right, 60);
    EXPECT_FALSE(editor.getRect(nullptr));
}

TEST(GuiEditor, IdleRedrawsDirtyViewsAndIdlesTheHost) {
    ProbeEditor editor;
    editor.idle();  // closed: only the host hears of it
    EXPECT_EQ(editor.hostIdles, 1);
    editor.open(nullptr);
    editor.idle();
    EXPECT_EQ(editor.probe->draws, 1);  // new views start dirty
    editor.idle();
    EXPECT_EQ(editor.probe->draws, 1);
    editor.probe->setValue(0.5f);
    editor.idle();
    EXPECT_EQ(editor.probe->draws, 2);
    EXPECT_EQ(editor.hostIdles, 4);
}

TEST(GuiEditor, GesturesOfItsControlsReachIt) {
    ProbeEditor editor;
    editor.open(nullptr);
    editor.probe->setTag(6);
    editor.probe->beginEdit();
    editor.probe->endEdit();
    const std::vector<std::pair<char, int32_t>> expected{{'b', 6}, {'e', 6}};
    EXPECT_EQ(editor.edits, expected);
}

TEST(GuiEditor, CloseReleasesTheFrameAndItsViews) {
    ProbeEditor editor;
    for (int round = 0; round < 3; ++round) {
        editor.probeGone = false;
        editor.open(nullptr);
        editor.close();
        EXPECT_TRUE(editor.probeGone);
        EXPECT_EQ(editor.getFrame(), nullptr);
        EXPECT_FALSE(editor.onKeyDown(0, kKeyReturn, 0));
    }
}

}  // namespace
}  // namespace orv::test
