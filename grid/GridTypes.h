#pragma once
// The platform and control-set types the grid is written against, named in
// the grid's own (global) namespace. Only using-declarations here: every
// type has its one definition in platform/ or controls/.

#include "controls/CfClasses.h"
#include "controls/CfEdit.h"
#include "platform/BiDiMode.h"
#include "platform/Color.h"
#include "platform/Controls.h"
#include "platform/Errors.h"
#include "platform/GraphicsObjects.h"
#include "platform/ImageList.h"

using cf::clBtnFace;
using cf::clNone;
using cf::clWindow;
using cf::clWindowText;
using cf::crDefault;
using cf::EConvertError;
using cf::EListError;
using cf::fsBold;
using cf::fsItalic;
using cf::fsStrikeOut;
using cf::fsUnderline;
using cf::TCanvas;
using cf::TColor;
using cf::TCursor;
using cf::TCustomImageList;
using cf::TFont;
using cf::TFontStyle;
using cf::TFontStyles;

using cf::TAlignment;
using enum cf::TAlignment;
using cf::TVerticalAlignment;
using enum cf::TVerticalAlignment;
using cf::TBiDiMode;
using enum cf::TBiDiMode;
using cf::TWrapKind;
using enum cf::TWrapKind;
using cf::TDrawingOptions;
using enum cf::TDrawingOptions;
using cf::TItemsDisplayMode;
using enum cf::TItemsDisplayMode;

// The in-place editors a column creates and prepares.
using cf::TCfComboBox;
using cf::TCfCustomEdit;
using cf::TCfEdit;
using cf::TCfSpinEdit;
using cf::TCfNumberEditOption;
using cf::TCfNumberEditOptions;
using cf::eoAllowAll;
using cf::eoAllowFloat;
using cf::eoAllowSigns;
using cf::eoDisablePaste;
using cf::eoDisableTyping;
