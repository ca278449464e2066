// Ownership: what goes when, and in which order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace linkshelf {
namespace {

std::vector<std::string> destroyed;

struct Record : ToolkitObject {
  explicit Record(std::string name) : name(std::move(name)) {}
  ~Record() override { destroyed.push_back(name); }
  std::string name;
};

void NoteDestroy(void* context, ToolkitObject*) {
  destroyed.push_back(static_cast<const char*>(context));
}

class OwnershipTest : public ::testing::Test {
 protected:
  void SetUp() override { destroyed.clear(); }
};

TEST_F(OwnershipTest, FormGoesWithItsEventThenAutoFreeNewestFirstThenChildrenLastFirst) {
  Control* form = CreateForm(nullptr, "窗体");
  form->OnDestroy.Set(NoteDestroy, const_cast<char*>("form"));
  Control* panel = CreatePanel(form, PanelEdge::kSunken);
  panel->OnDestroy.Set(NoteDestroy, const_cast<char*>("panel"));
  CreateLabel(panel, "l")->OnDestroy.Set(NoteDestroy, const_cast<char*>("label"));
  CreateButton(form, "b")->OnDestroy.Set(NoteDestroy, const_cast<char*>("button"));
  AddAutoFree(form, CreateObject<Record>("first record"));
  AddAutoFree(form, CreateObject<Record>("second record"));
  HWND window = form->WindowHandle();
  HWND panel_window = panel->WindowHandle();

  Free(form);

  const std::vector<std::string> expected = {"form",   "second record", "first record",
                                             "button", "panel",         "label"};
  EXPECT_EQ(destroyed, expected);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(IsWindow(panel_window));
}

TEST_F(OwnershipTest, FreeOfAChildLeavesTheParentWithTheRest) {
  Control* form = CreateForm(nullptr, "窗体");
  Control* a = CreateButton(form, "a");
  Control* b = CreateButton(form, "b");
  HWND b_window = b->WindowHandle();
  EXPECT_EQ(form->CurrentControl(), a);
  Free(a);
  EXPECT_EQ(form->ChildCount(), 1u);
  EXPECT_EQ(form->Child(0), b);
  EXPECT_EQ(form->CurrentControl(), nullptr);  // it no longer points at the freed one
  EXPECT_TRUE(IsWindow(b_window));
  Free(form);
  Free(nullptr);
}

TEST_F(OwnershipTest, FreeWhileReferencedWaitsForTheLastReference) {
  auto* record = CreateObject<Record>("held");
  {
    ObjectReference outer(record);
    {
      ObjectReference inner(record);
      Free(record);
      EXPECT_TRUE(record->IsReleaseRequested());
    }
    EXPECT_TRUE(destroyed.empty());
  }
  EXPECT_EQ(destroyed, std::vector<std::string>{"held"});
}

void FreeSenderForm(void* context, Control*) {
  Free(static_cast<Control*>(context));
}

TEST_F(OwnershipTest, HandlerMayFreeTheFormItsButtonIsOn) {
  Control* form = CreateForm(nullptr, "窗体");
  form->OnDestroy.Set(NoteDestroy, const_cast<char*>("form"));
  Control* button = CreateButton(form, "关闭");
  button->OnClick.Set(FreeSenderForm, form);
  HWND window = form->WindowHandle();
  SendMessageA(button->WindowHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(destroyed, std::vector<std::string>{"form"});
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(OwnershipTest, AutoFreeRecordIsTiedToTheFormAndFreedOnlyOnce) {
  Control* form = CreateForm(nullptr, "窗体");
  auto* record = CreateObject<Record>("record");
  AddAutoFree(form, record);
  AddAutoFree(form, record);  // already there: still one entry
  Free(form);
  EXPECT_EQ(destroyed, std::vector<std::string>{"record"});
}

}  // namespace
}  // namespace linkshelf
