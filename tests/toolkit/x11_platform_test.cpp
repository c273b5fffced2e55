#include "toolkit/buttons.h"
#include "toolkit/gui_editor.h"
#include "toolkit/x11_input.h"
#include "toolkit/x11_platform.h"

#include "toolkit_fixture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

extern char** environ;

namespace orv::test {
namespace {

// The X server the tests talk to: the one DISPLAY names, else an Xvfb of our own on a
// display number it picks itself (reported through -displayfd).
class XServer {
public:
    // Empty on success, else why there is no server.
    std::string start() {
        if (const char* display = std::getenv("DISPLAY"); display != nullptr && *display != '\0') return {};
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) return "pipe failed";
        // Only the write end goes to the server.
        fcntl(fds[1], F_SETFD, 0);
        const std::string writeEnd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb", "-displayfd", writeEnd.c_str(), "-nolisten", "tcp",
                              "-screen", "0", "800x600x24", nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const int spawned = posix_spawnp(&pid, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (spawned != 0) {
            close(fds[0]);
            pid = -1;
            return std::string("cannot start Xvfb (") + std::strerror(spawned) +
                   "): the X11 tests need it when DISPLAY is unset; install xvfb and xauth";
        }
        const std::string number = readDisplayNumber(fds[0]);
        close(fds[0]);
        if (number.empty()) return "Xvfb started but reported no display number";
        setenv("DISPLAY", (":" + number).c_str(), 1);
        ownDisplay = true;
        return {};
    }

    void stop() {
        if (ownDisplay) unsetenv("DISPLAY");
        ownDisplay = false;
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
        pid = -1;
    }

private:
    static std::string readDisplayNumber(int fd) {
        std::string number;
        pollfd p{fd, POLLIN, 0};
        while (poll(&p, 1, 10000) == 1) {
            char c = 0;
            if (read(fd, &c, 1) != 1 || c == '\n') break;
            number += c;
        }
        return number;
    }

    pid_t pid = -1;
    bool ownDisplay = false;
};

size_t openDescriptors() {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

// A mapped top-level window standing in for the host's, on the test's own connection.
class X11PlatformTest : public testing::Test {
protected:
    static constexpr CRect kFrameSize{0, 0, 524, 462};

    static void SetUpTestSuite() {
        serverError = server.start();
        if (serverError.empty() && (hostDisplay = XOpenDisplay(nullptr)) == nullptr)
            serverError = "cannot connect to the X server";
    }
    static void TearDownTestSuite() {
        if (hostDisplay != nullptr) XCloseDisplay(hostDisplay);
        hostDisplay = nullptr;
        server.stop();
    }

    void SetUp() override {
        ASSERT_TRUE(serverError.empty()) << serverError;
        parent = XCreateSimpleWindow(hostDisplay, DefaultRootWindow(hostDisplay), 0, 0, 600, 500, 0, 0, 0);
        XMapWindow(hostDisplay, parent);
        XSync(hostDisplay, False);
    }
    void TearDown() override {
        frame.reset();
        if (hostDisplay != nullptr && parent != 0) XDestroyWindow(hostDisplay, parent);
        if (hostDisplay != nullptr) XSync(hostDisplay, False);
    }

    void* parentHandle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(parent)); }

    // Opens the platform in the parent under a frame; the platform stays reachable.
    void openFrame() {
        auto owned = X11Platform::open(parentHandle(), kFrameSize, [this] { return clockMs; });
        ASSERT_NE(owned, nullptr);
        platform = owned.get();
        frame = std::make_unique<CFrame>(kFrameSize, std::move(owned));
    }

    // Everything the host's connection sent has reached the platform's queue; then one idle.
    void deliverAndPump() {
        XSync(hostDisplay, False);
        XSync(platform->display(), False);
        platform->pump();
        frame->idle();
        platform->flush();
    }

    XEvent buttonEvent(int type, unsigned int button, int x, int y, unsigned int state = 0) const {
        XEvent event{};
        event.xbutton.type = type;
        event.xbutton.display = hostDisplay;
        event.xbutton.window = platform->window();
        event.xbutton.button = button;
        event.xbutton.x = x;
        event.xbutton.y = y;
        event.xbutton.state = state;
        event.xbutton.same_screen = True;
        return event;
    }
    void send(XEvent event, long mask) {
        XSendEvent(hostDisplay, platform->window(), False, mask, &event);
    }

    static inline XServer server;
    static inline std::string serverError;
    static inline Display* hostDisplay = nullptr;

    Window parent = 0;
    uint64_t clockMs = 0;
    X11Platform* platform = nullptr;
    std::unique_ptr<CFrame> frame;
    RecordingListener listener;
};

TEST_F(X11PlatformTest, ChildWindowHasTheFrameSizeInsideTheHostWindow) {
    openFrame();
    deliverAndPump();
    XWindowAttributes attributes{};
    ASSERT_NE(XGetWindowAttributes(hostDisplay, platform->window(), &attributes), 0);
    EXPECT_EQ(attributes.width, 524);
    EXPECT_EQ(attributes.height, 462);
    EXPECT_EQ(attributes.map_state, IsViewable);
    Window root = 0, parentOfChild = 0, *children = nullptr;
    unsigned int count = 0;
    ASSERT_NE(XQueryTree(hostDisplay, platform->window(), &root, &parentOfChild, &children, &count), 0);
    if (children != nullptr) XFree(children);
    EXPECT_EQ(parentOfChild, parent);
}

TEST_F(X11PlatformTest, PumpPaintsTheFrameIntoTheWindow) {
    openFrame();
    frame->setBackgroundColor({200, 30, 60, 255});
    frame->invalid();
    deliverAndPump();
    XImage* image = XGetImage(hostDisplay, platform->window(), 100, 100, 1, 1, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    EXPECT_EQ(pixel & 0xFFFFFF, 0xC81E3Cu);
}

TEST_F(X11PlatformTest, SentClicksAndWheelReachTheControlUnderThePointer) {
    openFrame();
    auto* button = frame->addView(std::make_unique<COnOffButton>(CRect{10, 10, 40, 30}, &listener, 3,
                                                                  stripBitmap(30, 20, 2)));
    send(buttonEvent(ButtonPress, Button1, 20, 20), ButtonPressMask);
    send(buttonEvent(ButtonRelease, Button1, 20, 20, Button1Mask), ButtonReleaseMask);
    deliverAndPump();
    EXPECT_EQ(button->getValue(), 1.0f);
    // The wheel is no click, and a click outside the button changes nothing.
    send(buttonEvent(ButtonPress, Button4, 20, 20), ButtonPressMask);
    send(buttonEvent(ButtonPress, Button1, 100, 100), ButtonPressMask);
    deliverAndPump();
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f}));
}

TEST_F(X11PlatformTest, EventsHandedInThroughTheEventProcPropertyReachTheFrame) {
    openFrame();
    auto* button = frame->addView(std::make_unique<COnOffButton>(CRect{10, 10, 40, 30}, &listener, 3,
                                                                  stripBitmap(30, 20, 2)));
    XSync(platform->display(), False);
    const Atom atom = XInternAtom(hostDisplay, "_XEventProc", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(hostDisplay, platform->window(), atom, 0, 2, False, AnyPropertyType, &type,
                                 &format, &items, &remaining, &data),
              Success);
    ASSERT_NE(data, nullptr);
    const auto* halves = reinterpret_cast<const unsigned long*>(data);
    const uintptr_t address = (halves[0] & 0xFFFFFFFFu) | (static_cast<uintptr_t>(halves[1] & 0xFFFFFFFFu) << 32);
    XFree(data);
    EXPECT_EQ(type, atom);
    EXPECT_EQ(format, 32);
    ASSERT_EQ(items, 2u);
    ASSERT_EQ(address, reinterpret_cast<uintptr_t>(&X11Platform::handleXEvent));

    auto* handler = reinterpret_cast<void (*)(XEvent*)>(address);
    XEvent press = buttonEvent(ButtonPress, Button1, 20, 20);
    handler(&press);
    EXPECT_EQ(button->getValue(), 1.0f);
    XEvent foreign = press;
    foreign.xany.window = parent;
    handler(&foreign);
    EXPECT_EQ(button->getValue(), 1.0f);
}

TEST_F(X11PlatformTest, TimersFireFromPumpOnceWhenDue) {
    openFrame();
    int fired = 0;
    auto timer = frame->createTimer(50, [&fired] { ++fired; });
    const struct { uint64_t clock; int firedSoFar; } steps[] = {
        {0, 0}, {49, 0}, {50, 1}, {60, 1}, {100, 2}, {400, 3}, {449, 3}, {450, 4}};
    for (const auto& step : steps) {
        clockMs = step.clock;
        platform->pump();
        EXPECT_EQ(fired, step.firedSoFar) << "at " << step.clock << " ms";
    }
    timer.reset();
    clockMs = 1000;
    platform->pump();
    EXPECT_EQ(fired, 4);
}

// An editor whose window is an X11Platform on the test's clock.
class TimerEditor : public AEffGUIEditor {
public:
    TimerEditor(uint64_t& clock, int& hostIdles)
        : AEffGUIEditor([&hostIdles] { ++hostIdles; },
                        [&clock](void* parent, const CRect& size) -> std::unique_ptr<IPlatformFrame> {
                            return X11Platform::open(parent, size, [&clock] { return clock; });
                        }) {
        setRect({0, 0, 60, 40});
    }
    bool open(void* parent) override {
        AEffGUIEditor::open(parent);
        auto platform = createPlatform({0, 0, 60, 40});
        if (!platform) return false;
        frame = std::make_unique<CFrame>(CRect{0, 0, 60, 40}, std::move(platform), this);
        // The timer calls idle itself, which a timer must not be able to re-enter.
        timer = frame->createTimer(50, [this] { ++timerCalls; idle(); });
        return true;
    }
    void close() override {
        timer.reset();
        AEffGUIEditor::close();
    }
    int timerCalls = 0;

private:
    std::unique_ptr<IPlatformTimer> timer;
};

TEST_F(X11PlatformTest, EditorIdleRunsTheTimerWithoutReenteringItself) {
    uint64_t clock = 0;
    int hostIdles = 0;
    TimerEditor editor(clock, hostIdles);
    ASSERT_TRUE(editor.open(parentHandle()));
    editor.idle();
    EXPECT_EQ(editor.timerCalls, 0);
    clock = 50;
    editor.idle();
    EXPECT_EQ(editor.timerCalls, 1);
    EXPECT_EQ(hostIdles, 2);
    editor.close();
}

TEST_F(X11PlatformTest, OpenFailsCleanlyWithoutParentOrDisplay) {
    EXPECT_EQ(makeX11Platform(nullptr, kFrameSize), nullptr);
    const std::string saved = std::getenv("DISPLAY");
    setenv("DISPLAY", ":65000", 1);
    EXPECT_EQ(makeX11Platform(parentHandle(), kFrameSize), nullptr);
    setenv("DISPLAY", saved.c_str(), 1);
}

TEST_F(X11PlatformTest, OpeningAndClosingFiftyTimesLeaksNoDescriptorsOrWindows) {
    const size_t before = openDescriptors();
    for (int i = 0; i < 50; ++i) {
        openFrame();
        frame->addView(std::make_unique<COnOffButton>(CRect{10, 10, 40, 30}, &listener, 3, stripBitmap(30, 20, 2)));
        auto timer = frame->createTimer(50, [] {});
        platform->setCursor(kCursorHand);
        deliverAndPump();
        timer.reset();
        frame.reset();
    }
    EXPECT_EQ(openDescriptors(), before);
    Window root = 0, parentOfParent = 0, *children = nullptr;
    unsigned int count = 0;
    ASSERT_NE(XQueryTree(hostDisplay, parent, &root, &parentOfParent, &children, &count), 0);
    if (children != nullptr) XFree(children);
    EXPECT_EQ(count, 0u);
}

TEST(X11Input, ButtonStatesAndModifiersMapToTheToolkits) {
    const struct { unsigned int state; unsigned int button; CButtonState expected; } cases[] = {
        {0, Button1, kLButton},
        {0, Button3, kRButton},
        {ShiftMask, Button1, kLButton | kShift},
        {ControlMask | Mod1Mask, Button2, kMButton | kControl | kAlt},
        {Button1Mask | Button3Mask, 0, kLButton | kRButton},
        {LockMask | Mod2Mask, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(x11ButtonState(c.state, c.button), c.expected) << "state " << c.state << " button " << c.button;
}

TEST(X11Input, KeysymsBecomeVirtualKeysAndPrintableCharacters) {
    const struct { unsigned long keysym; char character; unsigned int state; VstKeyCode expected; } cases[] = {
        {XK_Return, '\r', 0, {0, kKeyReturn, 0}},
        {XK_KP_Enter, '\r', 0, {0, kKeyEnter, 0}},
        {XK_Escape, '\x1b', 0, {0, kKeyEscape, 0}},
        {XK_BackSpace, '\b', ControlMask, {0, kKeyBack, kModifierControl}},
        {XK_Left, 0, ShiftMask, {0, kKeyLeft, kModifierShift}},
        {XK_KP_Delete, 0, 0, {0, kKeyDelete, 0}},
        {XK_space, ' ', 0, {' ', kKeySpace, 0}},
        {XK_A, 'A', ShiftMask | Mod1Mask, {'A', kKeyNone, kModifierShift | kModifierAlternate}},
        {XK_eacute, '\xe9', 0, {0, kKeyNone, 0}},
    };
    for (const auto& c : cases) {
        const VstKeyCode key = x11KeyCode(c.keysym, c.character, c.state);
        EXPECT_EQ(key.character, c.expected.character) << "keysym " << c.keysym;
        EXPECT_EQ(key.virt, c.expected.virt) << "keysym " << c.keysym;
        EXPECT_EQ(key.modifier, c.expected.modifier) << "keysym " << c.keysym;
    }
}

TEST(X11Input, DoubleClicksNeedASecondPressSoonAndNearby) {
    const struct { int x, y; unsigned long time; bool isDouble; } presses[] = {
        {10, 10, 1000, false}, {12, 11, 1300, true},   // close in time and place
        {12, 11, 1400, false},                          // a third press starts over
        {30, 30, 1500, false},                          // too far from the last
        {30, 30, 2000, false},                          // too late after it
        {31, 29, 2400, true},
    };
    DoubleClickDetector detector;
    for (const auto& p : presses) EXPECT_EQ(detector.press(p.x, p.y, p.time), p.isDouble) << "at " << p.time;
}

}  // namespace
}  // namespace orv::test
