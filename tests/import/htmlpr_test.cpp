#include "import/htmlpr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/pieces.h"

namespace linkshelf {
namespace {

// One step of the scanner as plain values.
struct Step {
  std::string name;
  std::vector<std::string> params;
  std::string text_before;
  bool operator==(const Step&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Step& step) {
  out << "{" << step.name << " [";
  for (const auto& p : step.params) out << p << "|";
  return out << "] '" << step.text_before << "'}";
}

// Every tag of the document, then the trailing text (with an empty name).
// With a piece size, the scanner is given the document that many bytes at a time.
std::vector<Step> Scan(const std::string& document, size_t piece = 0) {
  THtmlParser parser;
  if (piece == 0) {
    parser.LoadText(document);
  } else {
    auto [start, more] = InPieces(document, piece);
    parser.LoadSource(std::move(start), std::move(more));
  }
  std::vector<Step> steps;
  while (parser.NextTag()) {
    const TTag* tag = parser.GetTag();
    Step step{tag->Name(), {}, std::string(parser.TextBefore())};
    for (const auto& p : tag->fParams) step.params.push_back(p);
    steps.push_back(step);
  }
  EXPECT_EQ(parser.GetTag(), nullptr);
  steps.push_back({"", {}, std::string(parser.TextBefore())});
  return steps;
}

std::vector<std::string> ParamsOf(const std::string& tag_text) {
  TTag tag;
  tag.ParseText(tag_text);
  return {tag.fParams.begin(), tag.fParams.end()};
}

using Steps = std::vector<Step>;
using Texts = std::vector<std::string>;

TEST(TagScanner, ADocumentGivenPieceByPieceScansAsAWholeOne) {
  std::string links;
  for (int i = 0; i < 20000; ++i) links += "<li><a href=\"e/" + std::to_string(i) + "\">N</a>";
  // The large ones let go of passed text on the way, also inside overlapping tags.
  for (const std::string& document :
       Texts{"", "text <a href=\"x\"", "x>y<a>b>c<d", "a<b<c>d>e<<<<f>", links + "tail > x <open",
             links + std::string(3000, '<') + ">after" + links,
             "head" + std::string(150000, '>') + "<a>" + links}) {
    for (const size_t piece : {size_t{1}, size_t{3}, size_t{70000}}) {
      EXPECT_EQ(Scan(document, piece), Scan(document)) << piece << " " << document.substr(0, 40);
    }
  }
}

TEST(TagScanner, DocumentsWithoutTagsGiveOnlyTrailingText) {
  EXPECT_EQ(Scan(""), (Steps{{"", {}, ""}}));
  EXPECT_EQ(Scan("abc"), (Steps{{"", {}, "abc"}}));
  EXPECT_EQ(Scan("text <a href=\"x\""), (Steps{{"", {}, "text <a href=\"x\""}}));
}

TEST(TagScanner, LinkTagsTextBeforeAndTrailingText) {
  EXPECT_EQ(
      Scan("<a href=\"u\" MyDir=\"D E\">Name</a>tail"),
      (Steps{{"a", {"href=\"u\"", "MyDir=\"D E\""}, ""}, {"/a", {}, "Name"}, {"", {}, "tail"}}));
  // Text before starts after the first `>` that lies before the tag.
  EXPECT_EQ(Scan("x>y<a>"), (Steps{{"a", {}, "y"}, {"", {}, ""}}));
  // An unclosed tag at the end becomes trailing text after the last tag's end.
  EXPECT_EQ(Scan("<b>one<a href=\"x\""), (Steps{{"b", {}, ""}, {"", {}, "one<a href=\"x\""}}));
}

TEST(TagScanner, TagBoundariesIgnoreQuotesAndNest) {
  // A `>` inside quotes still ends the tag; the rest is text.
  EXPECT_EQ(Scan("<a title=\"x>y\">"), (Steps{{"a", {"title=\"x"}, ""}, {"", {}, "y\">"}}));
  // A `<` inside a tag starts a further tag there.
  EXPECT_EQ(Scan("<<a>"), (Steps{{"<a", {}, ""}, {"a", {}, ""}, {"", {}, ""}}));
  EXPECT_EQ(Scan("<>"), (Steps{{"", {}, ""}, {"", {}, ""}}));
  EXPECT_EQ(Scan("<!-- a > b -->z"), (Steps{{"!--", {"a"}, ""}, {"", {}, " b -->z"}}));
}

TEST(TagScanner, NamesEndOnlyAtASpaceAndMatchWithoutCase) {
  TTag tag;
  tag.ParseText("A   HREF=x");
  EXPECT_EQ(tag.Name(), "A");
  EXPECT_EQ(tag.GetName(), "A");
  EXPECT_EQ(ParamsOf("A   HREF=x"), Texts{"HREF=x"});
  tag.ParseText("a\thref=x");
  EXPECT_EQ(tag.GetName(), "A\tHREF=X");
  EXPECT_TRUE(tag.fParams.Count() == 0);
  tag.ParseText(" a");
  EXPECT_EQ(tag.Name(), "");
  EXPECT_EQ(ParamsOf(" a"), Texts{"a"});
}

TEST(TagScanner, AttributesSplitAtSpacesOutsideQuotesAndAtClosingQuotes) {
  EXPECT_EQ(ParamsOf("a href=\"x\"class=\"y\""), (Texts{"href=\"x\"", "class=\"y\""}));
  EXPECT_EQ(ParamsOf("a title=\"a b\""), Texts{"title=\"a b\""});
  EXPECT_EQ(ParamsOf("a title='it\"s'"), Texts{"title='it\"s'"});
  EXPECT_EQ(ParamsOf("a title=\"it's\" x"), (Texts{"title=\"it's\"", "x"}));
  EXPECT_EQ(ParamsOf("a href = \"x\""), (Texts{"href", "=", "\"x\""}));
  // An unclosed quote runs to the end of the tag.
  EXPECT_EQ(ParamsOf("a title=\"open x y"), Texts{"title=\"open x y"});
  EXPECT_EQ(ParamsOf("a "), Texts{});
}

TEST(TagScanner, AfterTheEndEveryStepFindsNothing) {
  THtmlParser parser;
  parser.LoadText("<a>b");
  EXPECT_TRUE(parser.NextTag());
  EXPECT_FALSE(parser.NextTag());
  EXPECT_EQ(parser.TextBefore(), "b");
  EXPECT_FALSE(parser.NextTag());
  EXPECT_EQ(parser.GetTag(), nullptr);
  parser.Reset();
  EXPECT_TRUE(parser.NextTag());
  EXPECT_EQ(parser.GetTag()->Name(), "a");
}

TEST(TagScanner, ManyOpeningBracketsBeforeOneClosingBracket) {
  // Each `<` starts a tag that reaches the one `>`; the scan still ends.
  const std::string document = std::string(200, '<') + ">";
  const Steps steps = Scan(document);
  ASSERT_EQ(steps.size(), 201u);
  EXPECT_EQ(steps[0].name, std::string(199, '<'));
  EXPECT_EQ(steps[199].name, "");
}

TEST(TagScanner, EditedTagIsWrittenBackIntoTheDocument) {
  THtmlParser parser;
  parser.LoadText("<p>x<a href=\"u\">Name</a>");
  ASSERT_TRUE(parser.NextTag());
  ASSERT_TRUE(parser.NextTag());
  TTag* tag = parser.GetTag();
  ASSERT_EQ(tag->Name(), "a");
  tag->fParams.Add("MyDir=\"D\"");
  EXPECT_EQ(parser.Text(), "<p>x<a href=\"u\" MyDir=\"D\">Name</a>");
  tag->fParams.Delete(0);
  EXPECT_EQ(parser.Text(), "<p>x<a MyDir=\"D\">Name</a>");
  tag->fParams.Clear();
  EXPECT_EQ(parser.Text(), "<p>x<a>Name</a>");
  // Scanning goes on from the edited tag.
  ASSERT_TRUE(parser.NextTag());
  EXPECT_EQ(parser.GetTag()->Name(), "/a");
  EXPECT_EQ(parser.TextBefore(), "Name");
}

TEST(TagScanner, ParsingTheNextTagWritesNothingBack) {
  THtmlParser parser;
  const std::string document = "<a  href=x   >t</a  >";
  parser.LoadText(document);
  while (parser.NextTag()) {
  }
  EXPECT_EQ(parser.Text(), document);
}

}  // namespace
}  // namespace linkshelf
