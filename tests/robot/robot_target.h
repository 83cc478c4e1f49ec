// Ids of the robot's test dialog (robot_target.rc).
#pragma once

#define IDD_TARGET   100
#define IDC_LABEL    1000
#define IDC_FOLDER   1001
#define IDC_LIST     1002
#define IDC_COMBO    1003
#define IDC_REMEMBER 1004
#define IDC_ASK      1005
#define IDC_NEVER    1006
#define IDC_ANSWER   1007
