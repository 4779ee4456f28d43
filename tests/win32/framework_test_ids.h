/* Resource ids of the framework tests' own dialog templates, shared by their
   resource scripts and the tests. Plain #defines only: the resource compiler
   reads this file too. None is an id of the program's own resources, which
   some of these tests carry as well. */
#ifndef TESSALY_TESTS_WIN32_FRAMEWORK_TEST_IDS_H
#define TESSALY_TESTS_WIN32_FRAMEWORK_TEST_IDS_H

#define IDD_FRAMEWORK_TEST 900 /* each test's one dialog */
#define IDC_TEST_PICTURE 1002  /* owner-drawn picture button */
#define IDC_TEST_OTHER 1003    /* a second owner-drawn button */
#define IDC_TEST_BUTTON 1001   /* push button "Act" */
#define IDC_TEST_EDIT 1002     /* edit box */

#endif
