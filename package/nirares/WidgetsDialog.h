// The widgets dialog of the resource module: one control of each kind that the presentation
// library drives, shown by the host program's widgets job. nirares.rc and C++ both read this
// file, so it holds plain #defines only.
#ifndef NIRARES_WIDGETS_DIALOG_H
#define NIRARES_WIDGETS_DIALOG_H

#define IDD_WIDGETS 390

#define IDC_WIDGETS_LABEL 39001
#define IDC_WIDGETS_COMBO 39002
#define IDC_WIDGETS_LIST 39003
#define IDC_WIDGETS_DRAWN_COMBO 39004
#define IDC_WIDGETS_DRAWN_LIST 39005
#define IDC_WIDGETS_CHECK 39006
#define IDC_WIDGETS_ORIENTATION 39007
#define IDC_WIDGETS_PORTRAIT 39008
#define IDC_WIDGETS_LANDSCAPE 39009
#define IDC_WIDGETS_COPIES 39010
#define IDC_WIDGETS_COPIES_SPIN 39011
#define IDC_WIDGETS_BRIGHTNESS 39012
#define IDC_WIDGETS_CONTRAST 39013
#define IDC_WIDGETS_CUSTOM_SIZE 39014
#define IDC_WIDGETS_BINDING 39015
#define IDC_WIDGETS_SHEET 39016

#endif
