// The page's name and title when the user has chosen none, for the window and
// the command line alike.
#pragma once

namespace linkshelf {

inline constexpr char kDefaultPageName[] = "mybook.htm";
inline constexpr char kDefaultTitle[] = "我的收藏夹列表";

}  // namespace linkshelf
