// Every resource, control and command id of the program, in one place.
#pragma once

// The program's icon: the first icon group, so that the file shows it too
#define IDI_PROGRAM 101

// Menu and menu bar
#define IDR_MAIN_MENU 102
#define IDD_COORDINATES 104

// Menu bar buttons and their captions (string table)
#define IDM_BAR_TESSARA 40001
#define IDS_BAR_TESSARA 40002
#define IDM_BAR_MENU 40014
#define IDS_BAR_MENU 40020

// First popup
#define IDM_STATION_SAPPORO 40003
#define IDM_STATION_SENDAI 40004
#define IDM_STATION_TOKYO 40005
#define IDM_STATION_NAGOYA 40006
#define IDM_STATION_OSAKA 40007
#define IDM_STATION_HIROSHIMA 40008
#define IDM_STATION_HAKATA 40009
#define IDM_START_AS_IS 40012
#define IDM_START_AT_COORDINATES 40024
#define IDM_START_AT_RESULT 40013

// Second popup
#define IDM_FOCUS_MODE 40017
#define IDM_FOCUS_TERM 40018
#define IDM_RUN_SEARCH 40019
#define IDM_FOCUS_RESULTS 40021
#define IDM_MANUAL 40023
#define IDM_VERSION_EXIT 40010

// Main window controls
#define IDC_RESULT_LIST 1000
#define IDC_SEARCH_EDIT 1010
#define IDC_CATEGORY_COMBO 1019
#define IDC_SEARCH_BUTTON 1020
#define IDC_FOLDER_LABEL 1030
#define IDC_POINT_LABEL 1040
#define IDC_MODE_COMBO 1050
#define IDC_TERM_CAPTION 1060
#define IDC_POINT_CAPTION 1070
#define IDC_MODE_CAPTION 1080

// Timer
#define IDT_SCREEN_READER 32761

// Coordinate dialog controls
#define IDC_LON_DEGREES 1011
#define IDC_LON_MINUTES 1012
#define IDC_LON_SECONDS 1013
#define IDC_LON_HUNDREDTHS 1014
#define IDC_LAT_DEGREES 1016
#define IDC_LAT_MINUTES 1017
#define IDC_LAT_SECONDS 1018
#define IDC_LAT_HUNDREDTHS 1019
#define IDC_LON_MS 1004
#define IDC_LAT_MS 1020
#define IDC_DATUM_WGS84 1021
#define IDC_DATUM_TOKYO 1022
