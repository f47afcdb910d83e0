[Info]
Type=Template
Style=0
Name=Standard
Desc=Event loop program for MDI and SDI applications
Mode=

<<1>>
* Program %%APP%%
*
* %%DESC%%
*
* Author:    %%AUTHOR%%
* Copyright: %%COPYRIGHT%%
* Generated: %%DATE%% from project %%PROJID%% in file %%PROJFILE%%
*
* The program runs the application's windows through the GUI runtime: it
* loads the project, shows the main form and hands each event the user
* raises to its handler further down. Write your own code in the handlers.

<<2>>
* Marks of the dynamic arrays exchanged with the GUI runtime
EQU AM TO CHAR(254), VM TO CHAR(253)
* The project this program runs and the form it shows first
GUI.PROJFILE = '%%PROJFILE%%'
GUI.PROJID = '%%PROJID%%'
GUI.MAINFORM = '%%FORM%%'
* Program names of the events by event code, 1 Close to 31 Quit
GUI.EVENTS = 'CLOSE,,,ACTIVATE,DEACTIVATE,CLICK,DBLCLICK,CHANGE,VALIDATE,LOADLIST,'
GUI.EVENTS = GUI.EVENTS : 'VALIDATECELL,VALIDATEROW,CONTEXT,BTNCLICK,ACTIVATECELL,RESIZE,'
GUI.EVENTS = GUI.EVENTS : 'COLCLICK,DEACTIVATECELL,ACTIVATEROW,DEACTIVATEROW,HELP,STATUS,'
GUI.EVENTS = GUI.EVENTS : 'TIMER,DRAGDROP,,,,,,,QUIT'
* GUI.STATE is 1 while the GUI environment is up, GUI.DONE ends the event
* loop and GUI.QUEUE holds the event rows not yet decoded
GUI.STATE = 0
GUI.DONE = 0
GUI.QUEUE = ''

<<3>>
* Start-up: read the project, start the GUI environment for project format
* 1.4, load the project into it and show the main form (method 2)
OPEN GUI.PROJFILE TO GUI.FILE ELSE
   GUI.VALUE = 'Cannot open the project file ' : GUI.PROJFILE
   GOSUB GUI.FAILED
END
READ GUI.PROJECT FROM GUI.FILE, GUI.PROJID ELSE
   GUI.VALUE = 'Cannot read the project ' : GUI.PROJID : ' from ' : GUI.PROJFILE
   GOSUB GUI.FAILED
END
GUI.COMMAND = 1 : VM : '1.4'
GOSUB GUI.EXECUTE
GUI.STATE = 1
GUI.COMMAND = 11 : VM : 2 : VM : GUI.PROJECT
GOSUB GUI.EXECUTE
IF GUI.MAINFORM # '' THEN
   GUI.COMMAND = 6 : VM : '%%APP%%*' : GUI.MAINFORM : VM : 2
   GOSUB GUI.EXECUTE
END

<<4>>
* Event loop: wait for the next events (command 7) and decode them one by
* one until a handler sets GUI.DONE. The application's Quit event always
* ends the loop once its handler has run.
LOOP
UNTIL GUI.DONE DO
   IF GUI.QUEUE = '' THEN
      GUI.COMMAND = 7
      GOSUB GUI.EXECUTE
   END
   GUI.ROW = GUI.QUEUE<1>
   GUI.QUEUE = DELETE(GUI.QUEUE, 1)
   IF GUI.ROW # '' THEN
      GOSUB DECODE.EVENT
      IF GUI.EVENT = 'QUIT' THEN GUI.DONE = 1
   END
REPEAT

<<5>>
* Shutdown: close the GUI environment (command 99) and end the program
GUI.STATE = 0
GUI.COMMAND = 99
GOSUB GUI.EXECUTE
STOP

<<6>>
* Event decoder: take the event row in GUI.ROW apart and call the handler
* of the object and event. The row holds the object's full ID, the event's
* mask bit and, from field 4 on, the event's arguments (GUI.ARGS); a bar
* item's click names the item in its first argument (GUI.MENUID).
DECODE.EVENT:
GUI.VALUE = OCONV(GUI.ROW<1,1>, 'MCU')
GUI.APPID = FIELD(GUI.VALUE, '*', 1)
GUI.FORMID = FIELD(GUI.VALUE, '*', 2)
GUI.CTRLID = FIELD(GUI.VALUE, '*', 3)
GUI.ARGS = FIELD(GUI.ROW, VM, 4, 9999)
GUI.CODE = 1
GUI.VALUE = GUI.ROW<1,2>
LOOP WHILE GUI.VALUE > 0 AND MOD(GUI.VALUE, 2) = 0 DO
   GUI.VALUE = INT(GUI.VALUE / 2)
   GUI.CODE = GUI.CODE + 1
REPEAT
IF GUI.VALUE > 0 THEN GUI.EVENT = FIELD(GUI.EVENTS, ',', GUI.CODE) ELSE GUI.EVENT = ''
%%DECODE%%
RETURN
BEGIN CASE                                 __BEGIN_
END CASE                                   __END_
CASE GUI.APPID = '%%APP%%'                 __APP_
CASE GUI.FORMID = '%%FORM%%'               __FORM_
CASE GUI.CTRLID = '%%CONTROL%%'            __CONTROL_
CASE GUI.EVENT = '%%EVENT%%'               __EVENT_
GUI.MENUID = OCONV(GUI.ARGS<1,1>, 'MCU')   __MENUVAR_
CASE GUI.MENUID = '%%MENU%%'               __MENU_
GOSUB %%TARGET%%                           __ACTION_

<<7>>
%%TARGET%%:
* Called for the event %%Event%%; GUI.ARGS holds its arguments, one per value.
   RETURN

<<8>>
%%TARGET%%:
* The user closes the form %%FORM%%: hide it (method 3). Closing the main
* form ends the program.
   GUI.COMMAND = 6 : VM : '%%APP%%*%%FORM%%' : VM : 3
   GOSUB GUI.EXECUTE
   IF GUI.FORMID = GUI.MAINFORM THEN GUI.DONE = 1
   RETURN

<<9>>
%%TARGET%%:
* The user closes the application: leave the event loop, which then shuts
* the GUI environment down.
   GUI.DONE = 1
   RETURN

<<11>>
* Runtime interface: send GUI.COMMAND to the GUI runtime. The event rows it
* returns join GUI.QUEUE; its status rows are left in GUI.ERRORS (field 1
* severity, 3 ID, 4 property, 5 error number, 6 message). Severity 3 or more,
* and error 5007 (no form can be shown), stop the program.
GUI.EXECUTE:
   GUI.RESULT = ''
   GUI.ERRORS = ''
   CALL CORVANE.GUI.EXEC(GUI.COMMAND, GUI.RESULT, GUI.ERRORS)
   IF GUI.RESULT # '' THEN
      IF GUI.QUEUE = '' THEN GUI.QUEUE = GUI.RESULT ELSE GUI.QUEUE = GUI.QUEUE : AM : GUI.RESULT
   END
   GUI.COUNT = DCOUNT(GUI.ERRORS, AM)
   FOR GUI.NO = 1 TO GUI.COUNT
      IF GUI.ERRORS<GUI.NO,1> >= 3 OR GUI.ERRORS<GUI.NO,5> = 5007 THEN
         GUI.VALUE = GUI.ERRORS<GUI.NO,6>
         IF GUI.VALUE = '' THEN GUI.VALUE = 'GUI error ' : GUI.ERRORS<GUI.NO,5>
         GOSUB GUI.FAILED
      END
   NEXT GUI.NO
   RETURN

<<12>>
 Failure handling
* GUI.FAILED shows the message in GUI.VALUE, shuts the GUI environment down
* when it is up and stops the program.
GUI.FAILED:
   CRT 'Error: ' : GUI.VALUE
   IF GUI.STATE THEN
      GUI.STATE = 0
      GUI.COMMAND = 99
      CALL CORVANE.GUI.EXEC(GUI.COMMAND, GUI.RESULT, GUI.ERRORS)
   END
   STOP

<<10>>
 Closing statement
END
