# Sourced by tools/demo and tools/bench: prepares a fresh prefix for Setup.exe, runs
# it with its real exit code, and prints what it did. Expects WINEPREFIX to be set.

demo_drive_c() { echo "$WINEPREFIX/drive_c"; }
# The Windows form (Z:\...) of a Linux path.
demo_windows_path() { echo "Z:${1//\//\\}"; }

# What a machine the product installs on has, and what the product's own packages
# would have put into the product folder (from `$1`). Also starts a fresh journal.
demo_prepare_machine() {
  local product_parts=$1
  local key='HKLM\SOFTWARE\Microsoft\NET Framework Setup\NDP\v4\Full'
  wine reg add "$key" /v Version /d 4.8.04084 /f /reg:32 >/dev/null 2>&1
  wine reg add "$key" /v Version /d 4.8.04084 /f /reg:64 >/dev/null 2>&1
  DEMO_PRODUCT="$(demo_drive_c)/Program Files (x86)/Tarvel/Glimra"
  mkdir -p "$DEMO_PRODUCT"
  cp "$product_parts"/* "$DEMO_PRODUCT/"
  DEMO_CLOUD="$(demo_drive_c)/users/$(id -un)/Documents/GlimraCloudService"
  mkdir -p "$DEMO_CLOUD"
  touch "$DEMO_CLOUD/cloudlogin.cfg" "$DEMO_CLOUD/advanceFun.cfg" "$DEMO_CLOUD/serverlist.cfg" \
        "$DEMO_CLOUD/notes.txt"
  DEMO_JOURNAL=$(mktemp -d)/journal.txt
  : >"$DEMO_JOURNAL"
  export GLIMRA_JOURNAL
  GLIMRA_JOURNAL=$(demo_windows_path "$DEMO_JOURNAL")
  DEMO_JOURNAL_SEEN=0
}

# Runs Setup.exe with its arguments and prints its exit code (the whole number, which
# a Linux exit status would cut to 8 bits).
demo_run_setup() {
  local program=$1
  shift
  local batch
  batch=$(mktemp --suffix=.cmd)
  printf '@echo off\r\nstart "" /wait "%s" %s\r\necho %%ERRORLEVEL%%>"%s"\r\n' \
    "$(demo_windows_path "$program")" "$*" "$(demo_windows_path "$batch.code")" >"$batch"
  wine cmd /c "$(demo_windows_path "$batch")" >/dev/null 2>&1 || true
  DEMO_EXIT_CODE=$(tr -d '\r\n ' <"$batch.code" 2>/dev/null || echo "?")
  rm -f "$batch" "$batch.code"
  # Programs Setup does not wait for (the uninstaller) journal a little later.
  sleep 1
  echo "exit code: $DEMO_EXIT_CODE"
}

# The journal records added since the last call: program and command line.
demo_print_new_programs() {
  echo "-- programs started, in order"
  tail -n +"$((DEMO_JOURNAL_SEEN + 1))" "$DEMO_JOURNAL" |
    awk -F'\t' '{ line = $2;
                  if (line == "DllRegisterServer") line = "registered as COM server from " $3;
                  if ($4 == "0") line = line "   (window hidden)";
                  else if ($4 == "1") line = line "   (window shown normally)";
                  printf "  %-22s %s\n", $1, line }'
  DEMO_JOURNAL_SEEN=$(wc -l <"$DEMO_JOURNAL")
}

demo_print_registry() {
  echo "-- registry keys and values written"
  local key
  for key in 'HKLM\SOFTWARE\Tarvel\DWGGlimra\DWGGlimra_Setup' \
             'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\DWGGlimra_zh_cn' \
             'HKLM\Software\GlimraTests\Packages'; do
    wine reg query "$key" /s /reg:32 2>/dev/null | tr -d '\r' | sed '/^$/d; s/^/  /'
  done
}

demo_report_installation() {
  demo_print_new_programs
  echo "   (the .msi packages run inside Setup.exe; each records its properties below)"
  demo_print_registry
  echo "-- shortcuts"
  find "$(demo_drive_c)/users/Public/Desktop" "$(demo_drive_c)/ProgramData/Microsoft/Windows/Start Menu/Programs/Tarvel" \
       -name '*.lnk' 2>/dev/null | sed "s|$(demo_drive_c)|  C:|" | sort
  echo "-- product folder"
  ls "$DEMO_PRODUCT" | sed 's/^/  /'
  echo "-- install.log"
  tr -d '\r' <"$DEMO_PRODUCT/install.log" | sed '/^$/d; s/^/  /'
  echo
  echo "-- cloud-service folder after the installation (the three .cfg files are deleted)"
  ls "$DEMO_CLOUD" | sed 's/^/  /'
}

demo_report_uninstall() {
  demo_print_new_programs
  echo "-- temporary folder the uninstaller was started from"
  ls "$(demo_drive_c)/users/$(id -un)/Temp" 2>/dev/null | grep -E '^(TUninstall.exe|install.log|SetupRes.dll)$' | sed 's/^/  /'
}
