* Program LOGIN
*
* Asks for a user name and password before the application starts
*
* Author:    Corvane Examples
* Copyright: 
* Generated: 6 Dec 2026 from project login.gui in file examples
*
* The program runs a dialog through the GUI runtime: it loads the project,
* shows the dialog form and hands each event the user raises to its handler
* further down until the dialog closes. Write your own code in the handlers;
* a handler that sets GUI.DONE to 1 (an OK or Cancel button, say) ends the
* dialog.
*
*
************************************************************
*
*
* Marks of the dynamic arrays exchanged with the GUI runtime
EQU AM TO CHAR(254), VM TO CHAR(253)
* The project this program runs and its dialog form
GUI.PROJFILE = 'examples'
GUI.PROJID = 'login.gui'
GUI.MAINFORM = 'SIGNIN'
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
*
*
************************************************************
*
*
* Start-up: read the project, start the GUI environment for project format
* 1.4, load the project into it and show the dialog (method 2)
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
   GUI.COMMAND = 6 : VM : 'LOGIN*' : GUI.MAINFORM : VM : 2
   GOSUB GUI.EXECUTE
END
*
*
************************************************************
*
*
* Event loop: wait for the next events (command 7) and decode them one by
* one until a handler sets GUI.DONE. The application's Quit event always
* ends the dialog once its handler has run.
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
*
*
************************************************************
*
*
* Shutdown: close the GUI environment (command 99) and end the program
GUI.STATE = 0
GUI.COMMAND = 99
GOSUB GUI.EXECUTE
STOP
*
*
************************************************************
*
*
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
BEGIN CASE
 CASE GUI.APPID = 'LOGIN'
 BEGIN CASE
  CASE GUI.FORMID = ''
  BEGIN CASE
   CASE GUI.CTRLID = ''
   BEGIN CASE
    CASE GUI.EVENT = 'QUIT'
    GOSUB LOGIN.QUIT
    END CASE
   END CASE
  CASE GUI.FORMID = 'SIGNIN'
  BEGIN CASE
   CASE GUI.CTRLID = ''
   BEGIN CASE
    CASE GUI.EVENT = 'CLOSE'
    GOSUB LOGIN.SIGNIN.CLOSE
    END CASE
   CASE GUI.CTRLID = 'CMDOK'
   BEGIN CASE
    CASE GUI.EVENT = 'CLICK'
    GOSUB LOGIN.SIGNIN.CMDOK.CLICK
    END CASE
   CASE GUI.CTRLID = 'CMDCANCEL'
   BEGIN CASE
    CASE GUI.EVENT = 'CLICK'
    GOSUB LOGIN.SIGNIN.CMDCANCEL.CLICK
    END CASE
   END CASE
  END CASE
 END CASE
RETURN
*
*
************************************************************
*
*
LOGIN.QUIT:
* Called for the event Quit; GUI.ARGS holds its arguments, one per value.
* Set GUI.DONE to 1 to close the dialog.
   RETURN
*
*
************************************************************
*
*
LOGIN.SIGNIN.CLOSE:
* The user closes the dialog SIGNIN: the dialog is over.
   GUI.DONE = 1
   RETURN
*
*
************************************************************
*
*
LOGIN.SIGNIN.CMDOK.CLICK:
* Called for the event Click; GUI.ARGS holds its arguments, one per value.
* Set GUI.DONE to 1 to close the dialog.
   RETURN
*
*
************************************************************
*
*
LOGIN.SIGNIN.CMDCANCEL.CLICK:
* Called for the event Click; GUI.ARGS holds its arguments, one per value.
* Set GUI.DONE to 1 to close the dialog.
   RETURN
*
*
************************************************************
*
*
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
*
*
************************************************************
*
* Failure handling
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
*
*
************************************************************
*
* Closing statement
END
*
*
************************************************************
*
*