@echo off
rem Starts the KarioSearch demo from this folder, as demo-readme.txt tells.
rem Lays out a device in the folder "device" beside this file and gives it a
rem drive letter of its own, since the program looks for the map application
rem and its data from the root of its drive.  Writes only there, under
rem HKCU\Software\Varnelle and, under Wine, the drive's record in Wine's own
rem registry key HKLM\Software\Wine\Drives; demo-undo.cmd takes all of it
rem away again.
rem KARIO_DEMO_PORT sets the answer server's port (default 18090).
rem Each step's result is checked with "if errorlevel", not "||": Wine's cmd
rem takes the second branch of "||" after a quoted program that succeeded.
setlocal
set "KIT=%~dp0"
set "DEVICE=%KIT%device"
set "KEY=HKCU\Software\Varnelle\Tessara Mobile\QZV"
if not defined KARIO_DEMO_PORT set KARIO_DEMO_PORT=18090

rem A demo laid out before is ended first, so that it starts afresh.
if exist "%DEVICE%" call "%KIT%demo-undo.cmd"
reg query "HKCU\Software\Varnelle" >nul 2>&1
if not errorlevel 1 (
  echo HKCU\Software\Varnelle exists: the settings of a map application the demo would overwrite. Nothing was changed.
  exit /b 1
)
rem The answer server needs its port; another demo's server may hold it.
"%KIT%demo-helper.exe" free %KARIO_DEMO_PORT%
if errorlevel 1 exit /b 1
set DRIVE=
for %%L in (K L M N O P Q R S T U V W X Y) do if not defined DRIVE if not exist %%L:\ set DRIVE=%%L:
if not defined DRIVE (
  echo No drive letter from K: to Y: is free. Nothing was changed.
  exit /b 1
)

echo Laying out the device in %DEVICE% as %DRIVE%
mkdir "%DEVICE%\SD\Varnelle\Map" "%DEVICE%\Program Files\Varnelle" "%DEVICE%\KarioSearch"
>"%DEVICE%\drive.txt" echo %DRIVE%
xcopy /e /i /q /y "%KIT%card\Varnelle\Map" "%DEVICE%\SD\Varnelle\Map" >nul
copy /y "%KIT%standin\TessaraMobile10.exe" "%DEVICE%\Program Files\Varnelle\" >nul
copy /y "%KIT%program\kariosearch.exe" "%DEVICE%\KarioSearch\" >nul
copy /y "%KIT%program\kariosearch.htm" "%DEVICE%\KarioSearch\" >nul
rem The phone search asks the kit's own answer server; the card is SD.
>"%DEVICE%\KarioSearch\phonehost.txt" echo 127.0.0.1:%KARIO_DEMO_PORT%
>"%DEVICE%\KarioSearch\cardname.txt" echo SD
"%KIT%demo-helper.exe" map %DRIVE% "%DEVICE%"
if errorlevel 1 goto failed

rem The map application's settings: its data lies in \SD\Varnelle\Map\.
reg add "%KEY%" /v MNAMV8 /t REG_SZ /d "\SD\Varnelle\Tessara.dat" /f >nul
if errorlevel 1 goto failed
reg add "%KEY%" /v TLATV8 /t REG_DWORD /d 0 /f >nul
if errorlevel 1 goto failed
reg add "%KEY%" /v TLONV8 /t REG_DWORD /d 0 /f >nul
if errorlevel 1 goto failed

echo Starting the answer server on 127.0.0.1:%KARIO_DEMO_PORT%
start "" /b /d "%KIT%answer-server" "%KIT%answer-server\answer-server.exe" --port %KARIO_DEMO_PORT% --places places.tsv --numbers numbers.tsv
rem Said started only once it takes connections; else the demo is undone.
"%KIT%demo-helper.exe" listening %KARIO_DEMO_PORT%
if errorlevel 1 goto undo
echo Starting the map application at Tokyo station and KarioSearch
start "" /d %DRIVE%\ "%DRIVE%\Program Files\Varnelle\TessaraMobile10.exe" /M_LON=503171492 /M_LAT=128439921 /M_ANGLE=0 /M_TYPE=12
rem KarioSearch opens beside the map's window on a large screen: it waits for it.
"%KIT%demo-helper.exe" wait-map
start "" /d %DRIVE%\ "%DRIVE%\KarioSearch\kariosearch.exe"
echo Click the map to bring it to the front: KarioSearch reads its point. demo-undo.cmd ends the demo.
exit /b 0

:failed
echo The demo could not be laid out; demo-undo.cmd takes away what was done.
:undo
call "%KIT%demo-undo.cmd"
exit /b 1
