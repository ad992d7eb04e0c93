// The plain sheet applet's one page template, and its sheet's caption.
#pragma once

#define IDD_PLAIN_PAGE 100

#ifdef __cplusplus
constexpr char kPlainSheetCaption[] = "Plain sheet";
#endif
