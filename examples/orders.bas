* Program ORDERS
*
* Orders and customers
*
* Author:    Corvane Examples
* Copyright: 
* Generated: 6 Dec 2026 from project orders.gui in file examples
*
* The program runs the application's windows through the GUI runtime: it
* loads the project, shows the main form and hands each event the user
* raises to its handler further down. Write your own code in the handlers.
*
*
************************************************************
*
*
* Marks of the dynamic arrays exchanged with the GUI runtime
EQU AM TO CHAR(254), VM TO CHAR(253)
* The project this program runs and the form it shows first
GUI.PROJFILE = 'examples'
GUI.PROJID = 'orders.gui'
GUI.MAINFORM = 'ORDER'
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
   GUI.COMMAND = 6 : VM : 'ORDERS*' : GUI.MAINFORM : VM : 2
   GOSUB GUI.EXECUTE
END
*
*
************************************************************
*
*
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
 CASE GUI.APPID = 'ORDERS'
 BEGIN CASE
  CASE GUI.FORMID = ''
  BEGIN CASE
   CASE GUI.CTRLID = ''
   BEGIN CASE
    CASE GUI.EVENT = 'CLOSE'
    GOSUB ORDERS.CLOSE
    CASE GUI.EVENT = 'QUIT'
    GOSUB ORDERS.QUIT
    END CASE
   CASE GUI.CTRLID = 'MAINMENU'
   GUI.MENUID = OCONV(GUI.ARGS<1,1>, 'MCU')
   BEGIN CASE
    CASE GUI.MENUID = 'NEW'
    GOSUB ORDERS.MAINMENU.NEW
    CASE GUI.MENUID = 'OPEN'
    GOSUB ORDERS.MAINMENU.OPEN
    CASE GUI.MENUID = 'EXIT'
    GOSUB ORDERS.MAINMENU.EXIT
    CASE GUI.MENUID = 'ABOUT'
    GOSUB ORDERS.MAINMENU.ABOUT
    END CASE
   CASE GUI.CTRLID = 'TOOLS'
   GUI.MENUID = OCONV(GUI.ARGS<1,1>, 'MCU')
   BEGIN CASE
    CASE GUI.MENUID = 'NEW'
    GOSUB ORDERS.TOOLS.NEW
    CASE GUI.MENUID = 'SAVE'
    GOSUB ORDERS.TOOLS.SAVE
    END CASE
   END CASE
  CASE GUI.FORMID = 'ORDER'
  BEGIN CASE
   CASE GUI.CTRLID = ''
   BEGIN CASE
    CASE GUI.EVENT = 'CLOSE'
    GOSUB ORDERS.ORDER.CLOSE
    END CASE
   CASE GUI.CTRLID = 'TXTCUST'
   BEGIN CASE
    CASE GUI.EVENT = 'CHANGE'
    GOSUB ORDERS.ORDER.TXTCUST.CHANGE
    END CASE
   CASE GUI.CTRLID = 'CMDOK'
   BEGIN CASE
    CASE GUI.EVENT = 'CLICK'
    GOSUB ORDERS.ORDER.CMDOK.CLICK
    END CASE
   CASE GUI.CTRLID = 'CMDCANCEL'
   BEGIN CASE
    CASE GUI.EVENT = 'CLICK'
    GOSUB ORDERS.ORDER.CMDCANCEL.CLICK
    END CASE
   END CASE
  CASE GUI.FORMID = 'CUSTOMERS'
  BEGIN CASE
   CASE GUI.CTRLID = ''
   BEGIN CASE
    CASE GUI.EVENT = 'CLOSE'
    GOSUB ORDERS.CUSTOMERS.CLOSE
    END CASE
   CASE GUI.CTRLID = 'CMDCLOSE'
   BEGIN CASE
    CASE GUI.EVENT = 'CLICK'
    GOSUB ORDERS.CUSTOMERS.CMDCLOSE.CLICK
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
ORDERS.CLOSE:
* The user closes the application: leave the event loop, which then shuts
* the GUI environment down.
   GUI.DONE = 1
   RETURN
*
*
************************************************************
*
*
ORDERS.QUIT:
* Called for the event Quit; GUI.ARGS holds its arguments, one per value.
   RETURN
*
*
************************************************************
*
*
ORDERS.MAINMENU.NEW:
* Called for the event Menu(New); GUI.ARGS holds its arguments, one per value.
   RETURN
*
*
************************************************************
*
*
ORDERS.MAINMENU.OPEN:
* Called for the event Menu(Open); GUI.ARGS holds its arguments, one per value.
   RETURN
*
*
************************************************************
*
*
ORDERS.MAINMENU.EXIT:
* Called for the event Menu(Exit); GUI.ARGS holds its arguments, one per value.
   RETURN
*
*
************************************************************
*
*
ORDERS.MAINMENU.ABOUT:
* Called for the event Menu(About); GUI.ARGS holds its arguments, one per value.
   RETURN
*
*
************************************************************
*
*
ORDERS.TOOLS.NEW:
* Called for the event Menu(New); GUI.ARGS holds its arguments, one per value.
   RETURN
*
*
************************************************************
*
*
ORDERS.TOOLS.SAVE:
* Called for the event Menu(Save); GUI.ARGS holds its arguments, one per value.
   RETURN
*
*
************************************************************
*
*
ORDERS.ORDER.CLOSE:
* The user closes the form ORDER: hide it (method 3). Closing the main
* form ends the program.
   GUI.COMMAND = 6 : VM : 'ORDERS*ORDER' : VM : 3
   GOSUB GUI.EXECUTE
   IF GUI.FORMID = GUI.MAINFORM THEN GUI.DONE = 1
   RETURN
*
*
************************************************************
*
*
ORDERS.ORDER.TXTCUST.CHANGE:
* Called for the event Change; GUI.ARGS holds its arguments, one per value.
   RETURN
*
*
************************************************************
*
*
ORDERS.ORDER.CMDOK.CLICK:
* Called for the event Click; GUI.ARGS holds its arguments, one per value.
   RETURN
*
*
************************************************************
*
*
ORDERS.ORDER.CMDCANCEL.CLICK:
* Called for the event Click; GUI.ARGS holds its arguments, one per value.
   RETURN
*
*
************************************************************
*
*
ORDERS.CUSTOMERS.CLOSE:
* The user closes the form CUSTOMERS: hide it (method 3). Closing the main
* form ends the program.
   GUI.COMMAND = 6 : VM : 'ORDERS*CUSTOMERS' : VM : 3
   GOSUB GUI.EXECUTE
   IF GUI.FORMID = GUI.MAINFORM THEN GUI.DONE = 1
   RETURN
*
*
************************************************************
*
*
ORDERS.CUSTOMERS.CMDCLOSE.CLICK:
* Called for the event Click; GUI.ARGS holds its arguments, one per value.
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