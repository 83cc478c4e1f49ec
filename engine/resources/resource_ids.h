/* Resource and control ids of the engine module.  The resource script
   includes this file too, so the ids are plain preprocessor constants. */
#pragma once

/* Icon of the engine's windows and dialogs. */
#define IDI_ENGINE 101

/* Dialog templates. */
#define IDD_BROWSER 100
#define IDD_OPTIONS 102
#define IDD_LICENCE 112
#define IDD_OVERWRITE 113
#define IDD_PROGRESS 116
#define IDD_README 117

/* The directory browser's pictures: images 101-108, masks 109-111. */
#define IDB_FIRST 101
#define IDB_CDROM 101
#define IDB_REMOVABLE 102
#define IDB_FIXED 103
#define IDB_REMOTE 104
#define IDB_RAMDISK 105
#define IDB_FOLDER_CLOSED 106
#define IDB_FOLDER_PATH 107
#define IDB_FOLDER_CURRENT 108
#define IDB_MASK_DRIVE 109
#define IDB_MASK_FOLDER_CLOSED 110
#define IDB_MASK_FOLDER_OPEN 111

/* Licence dialog 112. */
#define IDC_LICENCE_TEXT 1004
#define IDC_LICENCE_HEADING 1005
#define IDC_LICENCE_QUESTION 1006
#define IDC_LICENCE_ACCEPT 1007
#define IDC_LICENCE_DECLINE 1008

/* Readme dialog 117. */
#define IDC_README_TEXT 1009
#define IDC_README_CLOSE 1010

/* Progress dialog 116. */
#define IDC_PROGRESS_BUTTON 1011
#define IDC_PROGRESS_FILE 1012
#define IDC_PROGRESS_TOP 1013
#define IDC_PROGRESS_BAR 1028

/* Overwrite prompt 113. */
#define IDC_OVERWRITE_HEADLINE 1016
#define IDC_OVERWRITE_FILE 1017
#define IDC_OVERWRITE_OLD_LABEL 1018
#define IDC_OVERWRITE_NEW_LABEL 1019
#define IDC_OVERWRITE_REPLACE 1020
#define IDC_OVERWRITE_REPLACE_ALL 1021
#define IDC_OVERWRITE_SKIP 1022
#define IDC_OVERWRITE_SKIP_ALL 1023
#define IDC_OVERWRITE_OLD_SIZE 1024
#define IDC_OVERWRITE_OLD_DATE 1025
#define IDC_OVERWRITE_OLD_TIME 1026
#define IDC_OVERWRITE_NEW_SIZE 1027
#define IDC_OVERWRITE_NEW_DATE 1028
#define IDC_OVERWRITE_NEW_TIME 1029

/* Options dialog 102 (IDOK is its OK button). */
#define IDC_OPTIONS_FRAME 1000
#define IDC_OPTIONS_BROWSE 1002
#define IDC_OPTIONS_GROUP 1003
#define IDC_OPTIONS_README 1004
#define IDC_OPTIONS_RUN 1005
#define IDC_OPTIONS_REQUIRED 1006
#define IDC_OPTIONS_EXIT 1007
#define IDC_OPTIONS_DIRECTORY 1010

/* Directory browser 100 (IDOK and IDCANCEL are its buttons). */
#define IDC_BROWSER_DRIVES 1000
#define IDC_BROWSER_PATH 1001
#define IDC_BROWSER_LIST 1002
