// Each page as a screen reader in this process finds it: its own object, its children in
// reading order with their roles, names and values, where they lie, an object that outlives
// its page, answers when memory runs out and an enumerator held within its list.
#include "pages/Unit1.h"
#include "tests/AccessibleTree.h"
#include "tests/win32/TestPages.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>

namespace {
// While not negative, how many allocations still succeed: every one after them fails.
long AllocationsLeft = -1;
long Refused = 0;
} // namespace

// Replaced for the whole test program (nothing else it links replaces them): running out of
// memory on demand. The runtime's non-throwing new calls this one.
void* operator new(std::size_t size) {
    if (AllocationsLeft == 0) {
        ++Refused;
        throw std::bad_alloc();
    }
    if (AllocationsLeft > 0)
        --AllocationsLeft;
    if (void* memory = HeapAlloc(GetProcessHeap(), 0, size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    if (memory)
        HeapFree(GetProcessHeap(), 0, memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    operator delete(memory);
}

namespace setup {
namespace {

using TLines = std::vector<std::string>;

class PageAccessible : public ::testing::Test {
protected:
    TComInit Com = InitializeCom();
};

TEST_F(PageAccessible, EveryPageTellsWhatItShowsInReadingOrder) {
    TPages pages;
    TForm1 backdrop{pages.Application, pages.Form2};
    const struct {
        const TForm& Page;
        long Role;
        const char* Name;
        TLines Children;
    } cases[] = {
        {backdrop,
         ROLE_SYSTEM_CLIENT,
         "Palvorne Lumivary 2000",
         {"text \"Palvorne Lumivary 2000\""}},
        {pages.Form2,
         ROLE_SYSTEM_DIALOG,
         "Palvorne Lumivary",
         {"text \"Hello and welcome to the Palvorne Lumivary Setup program. This program will "
          "install Palvorne Lumivary on your computer.\"",
          "text \"It is strongly recommended that you exit all windows programs before running "
          "this setup program\"",
          "text \"Click Exit to quit Setup and then close any programs you have running, Click "
          "Continue to continue with the Setup program.\"",
          "text \"WARNING:\"", "text \"This program is the property of Palvorne.\"",
          "Button \"&Exit Setup\"", "Button \"&Continue >>\""}},
        {pages.Form3,
         ROLE_SYSTEM_DIALOG,
         "Palvorne Lumivary",
         {"text \"Setup will install Palvorne Lumivary in following folder\"",
          "text \"To install to this folder, click install\"",
          "text \"To intall to a different folder, click browse and select another folder\"",
          "text \"You can choose not to install Palvorne Lumivary by clicking  Exit Setup.\"",
          "group \"Destination Folder\"", "text \"C:\\Program Files\\Palvorne Lumivary\"",
          "Button \" B&rowse...\"", "Button \"&Exit Setup\"", "Button \"&Install\""}},
        {pages.Form4,
         ROLE_SYSTEM_DIALOG,
         "Installing",
         {"text \"Copying Files:\"", "text \"Label1\"", "progress \"0%\"",
          "Button \"&Exit Setup\""}},
        {pages.Form6,
         ROLE_SYSTEM_DIALOG,
         "Choose Folder",
         {"text \"Please choose the installation folder\"", "text \"Path:\"",
          "Edit named \"Path:\"", "text \"Directories:\"", "ListBox named \"Directories:\"",
          "Button \"&OK\"", "Button \"&Cancel\"", "text \"Drive:\"", "ComboBox named \"Drive:\""}},
    };
    for (const auto& c : cases) {
        IAccessible* page = PageObject(c.Page.Handle());
        ASSERT_TRUE(page) << c.Name;
        EXPECT_EQ(RoleOf(page, CHILDID_SELF), c.Role) << c.Name;
        EXPECT_EQ(NameOf(page, CHILDID_SELF), c.Name);
        EXPECT_EQ(ReadTree(page), c.Children) << c.Name;
        page->Release();
    }
}

// The id of the windowless child whose name is name, or 0.
long ChildNamed(IAccessible* page, const std::string& name) {
    long found = 0;
    for (VARIANT& child : ChildrenOf(page)) {
        if (child.vt == VT_I4 && NameOf(page, child.lVal) == name)
            found = child.lVal;
        VariantClear(&child);
    }
    return found;
}

TEST_F(PageAccessible, LocationsHitTestsAndFocusLandOnTheRightChild) {
    TPages pages;
    pages.Form3.SetDestinationFolder("C:\\R&D\\Palvorne Lumivary");
    IAccessible* page = PageObject(pages.Form3.Handle());
    ASSERT_TRUE(page);
    // The folder, ampersand and all, where it is drawn on the screen.
    const long folder = ChildNamed(page, "C:\\R&D\\Palvorne Lumivary");
    ASSERT_NE(folder, 0);
    const TRect drawn = pages.Form3.Scale().ToPixels(pages.Form3.Label5.BoundsRect());
    POINT origin{drawn.Left, drawn.Top};
    ClientToScreen(pages.Form3.Handle(), &origin);
    long x = 0, y = 0, width = 0, height = 0;
    ASSERT_EQ(page->accLocation(&x, &y, &width, &height, ChildId(folder)), S_OK);
    EXPECT_EQ((TRect{x, y, x + width, y + height}),
              (TRect{origin.x, origin.y, origin.x + drawn.Width(), origin.y + drawn.Height()}));
    VARIANT state;
    page->get_accState(ChildId(folder), &state);
    EXPECT_EQ(state.lVal, STATE_SYSTEM_READONLY);

    VARIANT hit;
    ASSERT_EQ(page->accHitTest(x + 2, y + 2, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, folder) << "the text, not the frame around it";
    RECT browse{};
    GetWindowRect(pages.Form3.Button3.Handle(), &browse);
    ASSERT_EQ(page->accHitTest(browse.left + 2, browse.top + 2, &hit), S_OK);
    EXPECT_EQ(WindowOf(hit), pages.Form3.Button3.Handle());
    VariantClear(&hit);

    IDispatch* parent = nullptr;
    ASSERT_EQ(page->get_accParent(&parent), S_OK);
    parent->Release();
    page->Release();

    pages.Form6.Show();
    SetFocus(pages.Form6.Edit1.Handle());
    IAccessible* chooser = PageObject(pages.Form6.Handle());
    ASSERT_TRUE(chooser);
    VARIANT focus;
    ASSERT_EQ(chooser->get_accFocus(&focus), S_OK);
    EXPECT_EQ(WindowOf(focus), pages.Form6.Edit1.Handle());
    VariantClear(&focus);
    chooser->Release();
}

TEST_F(PageAccessible, AnObjectHeldAcrossThePagesEndIsCutOff) {
    auto pages = std::make_unique<TPages>();
    IAccessible* page = PageObject(pages->Form4.Handle());
    IAccessible* edit = PageObject(pages->Form6.Edit1.Handle());
    ASSERT_TRUE(page && edit);
    EXPECT_EQ(NameOf(edit, CHILDID_SELF), "Path:");
    pages->Application.Toolkit().EndWindows();
    BSTR name = nullptr;
    EXPECT_EQ(page->get_accName(ChildId(1), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(edit->get_accName(ChildId(CHILDID_SELF), &name), CO_E_OBJNOTCONNECTED);
    pages.reset();
    long count = -1;
    EXPECT_EQ(page->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(edit->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    page->Release();
    edit->Release();
}

// Asks with the first allocation failing, then the second, and so on until the question gets
// all it needs: each refused run must answer E_OUTOFMEMORY. Answers the run that had enough.
template <typename Ask> HRESULT AskWhileMemoryRunsOut(const char* what, Ask ask) {
    for (long allowed = 0; allowed < 1000; ++allowed) {
        Refused = 0;
        AllocationsLeft = allowed;
        const HRESULT answer = ask();
        AllocationsLeft = -1;
        if (Refused == 0) {
            EXPECT_GT(allowed, 0) << what << " allocates nothing: no failure was tried";
            return answer;
        }
        EXPECT_EQ(answer, E_OUTOFMEMORY) << what << " with " << allowed << " allocations";
    }
    ADD_FAILURE() << what << " never has enough";
    return E_FAIL;
}

constexpr ULONG Many = TAccessibleServer::MaxChildren;

// The children Next hands out, read; how many it said in fetched.
std::vector<std::string> ReadNext(IAccessible* page, IEnumVARIANT* children, ULONG wanted,
                                  HRESULT& answer, ULONG& fetched) {
    VARIANT got[Many];
    fetched = 12345;
    answer = children->Next(wanted, got, &fetched);
    std::vector<std::string> lines;
    for (ULONG i = 0; i < fetched && i < Many; ++i) {
        lines.push_back(ReadChild(page, got[i]));
        VariantClear(&got[i]);
    }
    return lines;
}

// The answer, once what came with it is freed.
HRESULT Freed(HRESULT answer, BSTR text) {
    SysFreeString(text);
    return answer;
}
HRESULT Cleared(HRESULT answer, VARIANT& v) {
    VariantClear(&v);
    return answer;
}

struct TTarget {
    IAccessible* Page;
    IAccessible* Edit; // a child window named by the text before it
    long Text;         // a windowless child
    POINT InText;
};

TEST_F(PageAccessible, EveryQuestionAnswersOutOfMemoryAndWorksAgainAfter) {
    TPages pages;
    pages.Form6.Show();
    TTarget target{PageObject(pages.Form3.Handle()), PageObject(pages.Form6.Edit1.Handle()), 0, {}};
    ASSERT_TRUE(target.Page && target.Edit);
    target.Text = ChildNamed(target.Page, "C:\\Program Files\\Palvorne Lumivary");
    ASSERT_NE(target.Text, 0);
    long x = 0, y = 0, width = 0, height = 0;
    ASSERT_EQ(target.Page->accLocation(&x, &y, &width, &height, ChildId(target.Text)), S_OK);
    target.InText = {x + 2, y + 2};
    const TLines tree = ReadTree(target.Page);
    const std::string label = NameOf(target.Edit, CHILDID_SELF);

    static const struct {
        const char* What;
        HRESULT (*Ask)(const TTarget& target);
        HRESULT Done;
    } cases[] = {
        {"the page's name",
         [](const TTarget& t) {
             BSTR name = nullptr;
             return Freed(t.Page->get_accName(ChildId(CHILDID_SELF), &name), name);
         },
         S_OK},
        {"a text's name",
         [](const TTarget& t) {
             BSTR name = nullptr;
             return Freed(t.Page->get_accName(ChildId(t.Text), &name), name);
         },
         S_OK},
        {"a window's label",
         [](const TTarget& t) {
             BSTR name = nullptr;
             return Freed(t.Edit->get_accName(ChildId(CHILDID_SELF), &name), name);
         },
         S_OK},
        {"a text's value",
         [](const TTarget& t) {
             BSTR value = nullptr;
             return Freed(t.Page->get_accValue(ChildId(t.Text), &value), value);
         },
         S_FALSE},
        {"a text's role",
         [](const TTarget& t) {
             VARIANT role;
             VariantInit(&role);
             return Cleared(t.Page->get_accRole(ChildId(t.Text), &role), role);
         },
         S_OK},
        {"a text's location",
         [](const TTarget& t) {
             long left, top, width, height;
             return t.Page->accLocation(&left, &top, &width, &height, ChildId(t.Text));
         },
         S_OK},
        {"the child count",
         [](const TTarget& t) {
             long count = -1;
             const HRESULT answer = t.Page->get_accChildCount(&count);
             return FAILED(answer) && count != 0 ? E_UNEXPECTED : answer;
         },
         S_OK},
        {"a text as a child",
         [](const TTarget& t) {
             IDispatch* child = nullptr;
             return t.Page->get_accChild(ChildId(t.Text), &child);
         },
         S_FALSE},
        {"the hit test",
         [](const TTarget& t) {
             VARIANT hit;
             VariantInit(&hit);
             return Cleared(t.Page->accHitTest(t.InText.x, t.InText.y, &hit), hit);
         },
         S_OK},
        {"Next",
         [](const TTarget& t) {
             IEnumVARIANT* children = nullptr;
             t.Page->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&children));
             children->Reset();
             VARIANT got[Many];
             ULONG fetched = 12345;
             const HRESULT answer = children->Next(Many, got, &fetched);
             for (ULONG i = 0; i < fetched && i < Many; ++i)
                 VariantClear(&got[i]);
             children->Release();
             return FAILED(answer) && fetched != 0 ? E_UNEXPECTED : answer;
         },
         S_FALSE},
        {"Skip",
         [](const TTarget& t) {
             IEnumVARIANT* children = nullptr;
             t.Page->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&children));
             children->Reset();
             const HRESULT answer = children->Skip(1);
             children->Release();
             return answer;
         },
         S_OK},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AskWhileMemoryRunsOut(c.What, [&] { return c.Ask(target); }), c.Done) << c.What;
    EXPECT_EQ(ReadTree(target.Page), tree);
    EXPECT_EQ(NameOf(target.Edit, CHILDID_SELF), label);
    target.Page->Release();
    target.Edit->Release();
}

TEST_F(PageAccessible, AnObjectThatCannotBeMadeAnswersOutOfMemoryUntilItCan) {
    TPages pages;
    const struct {
        HWND Window;
        const char* Name;
    } cases[] = {{pages.Form2.Handle(), "Palvorne Lumivary"},
                 {pages.Form6.Edit1.Handle(), "Path:"}};
    for (const auto& c : cases) {
        IAccessible* object = nullptr;
        EXPECT_EQ(AskWhileMemoryRunsOut(c.Name,
                                        [&] {
                                            return AccessibleObjectFromWindow(
                                                c.Window, OBJID_CLIENT, IID_IAccessible,
                                                reinterpret_cast<void**>(&object));
                                        }),
                  S_OK);
        ASSERT_TRUE(object) << c.Name;
        EXPECT_EQ(NameOf(object, CHILDID_SELF), c.Name);
        object->Release();
    }
}

TEST_F(PageAccessible, SkipAndNextStayWithinTheList) {
    TPages pages;
    IAccessible* page = PageObject(pages.Form3.Handle());
    ASSERT_TRUE(page);
    IEnumVARIANT* children = nullptr;
    ASSERT_EQ(page->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&children)),
              S_OK);
    const TLines all = ReadTree(page);
    ASSERT_GT(all.size(), 2u);
    const ULONG left = ULONG(all.size()) - 2; // after the first two
    const TLines rest(all.begin() + 2, all.end());
    const struct {
        ULONG Count;
        HRESULT Skipped;  // Skip(Count) after the first two
        size_t LeftAfter; // of rest
        HRESULT Nexted;   // Next(Count) after the first two
    } cases[] = {
        {0, S_OK, rest.size(), S_OK},      {left, S_OK, 0, S_OK},
        {left + 1, S_FALSE, 0, S_FALSE},   {0x7FFFFFFF, S_FALSE, 0, S_FALSE},
        {0x80000000, S_FALSE, 0, S_FALSE}, {0xFFFFFFFF, S_FALSE, 0, S_FALSE},
    };
    HRESULT answer = E_FAIL;
    ULONG fetched = 0;
    for (const auto& c : cases) {
        children->Reset();
        ASSERT_EQ(children->Skip(2), S_OK);
        EXPECT_EQ(children->Skip(c.Count), c.Skipped) << c.Count;
        EXPECT_EQ(ReadNext(page, children, Many, answer, fetched),
                  TLines(rest.end() - ptrdiff_t(c.LeftAfter), rest.end()))
            << c.Count;
        EXPECT_EQ(children->Skip(1), S_FALSE) << "still at the end after " << c.Count;

        children->Reset();
        children->Skip(2);
        const TLines next = ReadNext(page, children, c.Count, answer, fetched);
        EXPECT_EQ(answer, c.Nexted) << c.Count;
        EXPECT_EQ(next,
                  TLines(rest.begin(), rest.begin() + ptrdiff_t(std::min<ULONG>(c.Count, left))))
            << c.Count;
        EXPECT_EQ(fetched, next.size()) << c.Count;
    }
    children->Reset();
    EXPECT_EQ(ReadNext(page, children, Many, answer, fetched), all) << "the list is whole again";
    children->Release();
    page->Release();
}

} // namespace
} // namespace setup
