#pragma once
// The attributes the widgets, menus and dialogs are drawn with.

#include "platform/term/colour.h"

namespace zur::term {

struct Theme {
  Attr entry{Colour::kBlack, Colour::kLightGray};
  Attr entry_focused{Colour::kBlack, Colour::kCyan};
  Attr entry_selected{Colour::kWhite, Colour::kBlue};
  Attr entry_read_only{Colour::kDarkGray, Colour::kLightGray};
  Attr placeholder{Colour::kDarkGray, Colour::kLightGray};
  Attr button{Colour::kBlack, Colour::kLightGray};
  Attr button_focused{Colour::kWhite, Colour::kBlue, true};
  Attr disabled{Colour::kDarkGray, Colour::kLightGray};
  Attr menu_bar{Colour::kBlack, Colour::kLightGray};
  Attr menu_bar_disabled{Colour::kDarkGray, Colour::kLightGray};
  Attr menu{Colour::kBlack, Colour::kLightGray};
  Attr menu_highlight{Colour::kWhite, Colour::kBlue, true};
  Attr menu_disabled{Colour::kDarkGray, Colour::kLightGray};
  Attr dialog{Colour::kBlack, Colour::kLightGray};
  Attr dialog_title{Colour::kWhite, Colour::kBlue, true};
  Attr shadow{Colour::kDarkGray, Colour::kBlack};
  Attr list_highlight{Colour::kWhite, Colour::kBlue, true};
  Attr notice{Colour::kWhite, Colour::kRed, true};
};

}  // namespace zur::term
