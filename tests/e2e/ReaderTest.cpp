// End to end: a screen reader in its own process goes through the pages as a person does. It
// asks each page for its object, reads its children, and listens to the changes Setup raises
// with an out-of-context event hook, reading what changed from the event's object.
#include "driver/Driver.h"
#include "tests/AccessibleTree.h"
#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

using namespace e2e;
using setup::ReadTree;

namespace {

struct TEventHeard {
    DWORD Event;
    HWND Window;
    LONG Child;
    std::string Text; // the child's name, or its value for a value change
    bool Read = false;
};
std::vector<TEventHeard> Heard;

// Only notes the event: asking Setup back from inside the hook's delivery, which Setup may be
// waiting on, can stall both sides until the delivery gives up and events are lost.
void CALLBACK Listen(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                     DWORD) {
    if (object == OBJID_CLIENT && child > 0)
        Heard.push_back({event, window, child, {}});
}

// Reads what each event noted since the last call names or values.
void ReadHeard() {
    for (TEventHeard& e : Heard) {
        if (e.Read)
            continue;
        e.Read = true;
        IAccessible* source = nullptr;
        VARIANT id;
        VariantInit(&id);
        if (FAILED(AccessibleObjectFromEvent(e.Window, OBJID_CLIENT, e.Child, &source, &id)))
            continue;
        BSTR text = nullptr;
        if (e.Event == EVENT_OBJECT_VALUECHANGE)
            source->get_accValue(id, &text);
        else
            source->get_accName(id, &text);
        e.Text = setup::Narrow(text);
        source->Release();
    }
}

// Delivers the events heard until done says so or the time is up.
template <class Done> bool ListenUntil(Done done, DWORD timeout = 30000) {
    for (DWORD waited = 0; waited < timeout; waited += 20) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        ReadHeard();
        if (done())
            return true;
        Sleep(20);
    }
    return false;
}

std::vector<std::string> Read(HWND page) {
    IAccessible* object = setup::PageObject(page);
    if (!object)
        return {"<no object>"};
    std::vector<std::string> tree = ReadTree(object);
    tree.insert(tree.begin(), "page \"" + setup::NameOf(object, CHILDID_SELF) + "\"");
    object->Release();
    return tree;
}

bool Has(const std::vector<std::string>& tree, const std::string& line) {
    return std::find(tree.begin(), tree.end(), line) != tree.end();
}

long CountOf(const std::vector<std::string>& tree, const std::string& start) {
    return std::count_if(tree.begin(), tree.end(),
                         [&](const std::string& line) { return line.starts_with(start); });
}

// The child windows of a standard dialog's object, as class and text.
std::vector<std::string> DialogWindows(HWND dialog) {
    std::vector<std::string> found;
    IAccessible* object = setup::PageObject(dialog);
    if (!object)
        return found;
    for (VARIANT& child : setup::ChildrenOf(object)) {
        if (HWND window = setup::WindowOf(child)) {
            char className[32] = {};
            char text[256] = {};
            GetClassNameA(window, className, sizeof className);
            GetWindowTextA(window, text, sizeof text);
            found.push_back(std::string(className) + " \"" + text + "\"");
        }
        VariantClear(&child);
    }
    object->Release();
    return found;
}

TEST(Reader, HearsEveryPageAsAPersonGoesThroughThem) {
    const setup::TComInit com = setup::InitializeCom();
    TSetupProcess setup;
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, &Listen,
                        setup.ProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hook);

    HWND welcome = WelcomePage(setup);
    ASSERT_TRUE(welcome);
    const auto greeting = Read(welcome);
    EXPECT_EQ(CountOf(greeting, "text "), 5) << ::testing::PrintToString(greeting);
    EXPECT_TRUE(Has(greeting, "text \"WARNING:\""));
    EXPECT_TRUE(Has(greeting, "Button \"&Continue >>\""));

    HWND destination = ToDestinationPage(setup, welcome);
    ASSERT_TRUE(destination);
    const auto folderPage = Read(destination);
    std::cout << "The destination page as the reader heard it:\n";
    for (const std::string& line : folderPage)
        std::cout << "  " << line << "\n";
    EXPECT_TRUE(Has(folderPage, "group \"Destination Folder\""));
    EXPECT_TRUE(Has(folderPage, "text \"" + DefaultDestination + "\""));

    // The folder is drawn where the page's layout puts it, in the screen's pixels.
    IAccessible* page = setup::PageObject(destination);
    ASSERT_TRUE(page);
    long folder = 0;
    for (VARIANT& child : setup::ChildrenOf(page)) {
        if (child.vt == VT_I4 && setup::NameOf(page, child.lVal) == DefaultDestination)
            folder = child.lVal;
        VariantClear(&child);
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    POINT origin{MulDiv(144, dpi, 96), MulDiv(224, dpi, 96)};
    ClientToScreen(destination, &origin);
    long x = 0, y = 0, width = 0, height = 0;
    EXPECT_EQ(page->accLocation(&x, &y, &width, &height, setup::ChildId(folder)), S_OK);
    EXPECT_EQ(x, origin.x) << dpi << " dpi";
    EXPECT_EQ(y, origin.y) << dpi << " dpi";

    HWND chooser = Browse(setup, destination);
    ASSERT_TRUE(chooser);
    const auto choosing = Read(chooser);
    for (const char* line :
         {"text \"Path:\"", "Edit named \"Path:\"", "text \"Directories:\"",
          "ListBox named \"Directories:\"", "text \"Drive:\"", "ComboBox named \"Drive:\""})
        EXPECT_TRUE(Has(choosing, line)) << line << " in " << ::testing::PrintToString(choosing);

    const std::string chosen = "C:\\R&D\\Palvorne Lumivary";
    TypePath(chooser, chosen);
    EXPECT_TRUE(PressAway(chooser, "%o"));
    EXPECT_TRUE(ListenUntil([&] {
        return std::any_of(Heard.begin(), Heard.end(), [&](const TEventHeard& e) {
            return e.Event == EVENT_OBJECT_NAMECHANGE && e.Window == destination &&
                   e.Text == chosen;
        });
    })) << "no name change to the chosen folder";
    EXPECT_TRUE(Has(Read(destination), "text \"" + chosen + "\""));

    HWND progress = ToProgressPage(setup, destination);
    ASSERT_TRUE(progress);
    std::vector<std::string> values;
    ListenUntil([&] {
        values.clear();
        for (const TEventHeard& e : Heard)
            if (e.Event == EVENT_OBJECT_VALUECHANGE && e.Window == progress)
                values.push_back(e.Text);
        return !values.empty() && values.back() == "100%";
    });
    EXPECT_GT(values.size(), 2u);
    EXPECT_EQ(values.empty() ? "" : values.back(), "100%");
    EXPECT_TRUE(Has(Read(progress), "progress \"100%\""));

    HWND message = WaitForWindow("Setup", "OK", setup.ProcessId(), 30s);
    ASSERT_TRUE(message);
    const auto closing = DialogWindows(message);
    EXPECT_TRUE(Has(closing, "Static \"Palvorne Lumivary Installation Completed\""))
        << ::testing::PrintToString(closing);
    EXPECT_TRUE(Has(closing, "Button \"OK\""));
    UnhookWinEvent(hook);
    SendKeys(message, "{ENTER}");
    EXPECT_EQ(setup.WaitForExit(), 0u);
    // The page's object, held across the program's end, answers with an error.
    long count = 0;
    EXPECT_TRUE(FAILED(page->get_accChildCount(&count)));
    page->Release();
    ExpectEveryFileOfTheInstall(chosen);
    StopRunner();
}

} // namespace
