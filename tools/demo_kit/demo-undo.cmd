@echo off
rem Takes away what demo.cmd did: ends the demo's programs (those on its
rem drive and its answer server), takes its drive letter away, removes
rem HKCU\Software\Varnelle and the folder "device" beside this file.
setlocal
set "KIT=%~dp0"
set "DEVICE=%KIT%device"
if not exist "%DEVICE%" (
  echo The demo is not laid out: nothing to undo.
  exit /b 0
)
set DRIVE=
if exist "%DEVICE%\drive.txt" set /p DRIVE=<"%DEVICE%\drive.txt"
set FAILED=0
"%KIT%demo-helper.exe" end "%KIT%answer-server" "%DEVICE%" %DRIVE%\
if errorlevel 1 set FAILED=1
if not defined DRIVE goto unmapped
"%KIT%demo-helper.exe" unmap %DRIVE%
if errorlevel 1 set FAILED=1
:unmapped
reg delete "HKCU\Software\Varnelle" /f >nul 2>&1
rmdir /s /q "%DEVICE%"
if exist "%DEVICE%" set FAILED=1
if %FAILED%==1 (
  echo Not everything could be undone; see the lines above.
  exit /b 1
)
echo The demo is undone.
exit /b 0
