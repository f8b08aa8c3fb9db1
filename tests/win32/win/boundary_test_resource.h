// Resource ids of the window and dialog boundary tests.
#pragma once

#define IDD_BOUNDARY_TEST 9001
#define IDC_BOUNDARY_THROW 9002
