# The machines the two-host check scans, sourced by scripts/wine/differential.sh. Each
# tree_<name> function lays out one machine under $root: its drive M: (the running system,
# windir M:\WINDOWS) in "m", its drive N: in "n". It writes the steps to run into "script"
# (see Differential.cpp) and the registry's "ProgramFilesDir" into "programfiles" (no file: the
# value is missing). Times are UTC.
#
# Left out because the hosts cannot agree, each for a reason of its file system:
#  - names ending in "." or " ": Windows cannot hold them; the POSIX host leaves them out of
#    listings, Wine shows them under other names;
#  - names holding \ : * ? " < > |, or names that differ only in case within one folder: the
#    same, Wine maps them to names of its own;
#  - names beyond ASCII: the POSIX host speaks UTF-8, Wine the Windows code page;
#  - symbolic links to folders: the POSIX host follows one that stays on its drive, while
#    Windows sees a reparse point and never walks into it.

put() {  # put <path> <content> <date>: a file last changed then
  mkdir -p "$root/$(dirname "$1")"
  printf '%s' "$2" >"$root/$1"
  touch -d "$3" "$root/$1"
}
folder() { mkdir -p "$root/$1"; }
stamp() { touch -d "$2" "$root/$1"; }  # a folder's time, once its contents are in
program_files() { printf '%s' "$1" >"$root/programfiles"; }
steps() { printf '%s\n' "$@" >"$root/script"; }

old=2004-06-15T12:00:00
windows_update() {  # the V2/V3.1 and V4 files of a Windows Update folder on drive $1
  local wu="$1/Program Files/WindowsUpdate"
  put "$wu/a.w98" "inventory a" $old
  put "$wu/b.gng" "inventory b" 2020-12-31T23:59:59
  put "$wu/c.w95" "inventory c" 2021-01-01T00:00:00
  put "$wu/desktop.ini" "[.ShellClassInfo]" $old
  put "$wu/V4/iuhist.xml" "<history/>" $old
  put "$wu/V4/iuhist_catalogadmin.xml" "<new/>" 2021-03-01T08:00:00
  put "$wu/V4/notes.txt" "not wanted" $old
}
office_update() {  # an OfficeUpdate folder of the given year on drive $1
  local ou="$1/Program Files/OfficeUpdate"
  put "$ou/inv.txt" "office" 2003-02-01T09:30:00
  put "$ou/cache/x.cab" "cab" 2003-02-01T09:30:00
  stamp "$ou/cache" 2003-02-01T09:30:00
  stamp "$ou" "$2-05-05T05:05:05"
}
wu_temp() {
  put m/WUTemp/w.cab "new cab" 2021-06-01T00:00:00
  put m/WUTemp/sub/y.txt "y" 2021-06-01T00:00:00
  stamp m/WUTemp/sub 2021-06-01T00:00:00
  stamp m/WUTemp 2019-12-31T23:59:59
}
local_scan_steps() { steps os programfiles "$@" local "list M:\\CVL_SAVE"; }

tree_local_full() {
  program_files 'M:\Program Files'
  windows_update m
  put "m/WINDOWS/Windows Update.log" "the log" 2005-01-01T00:00:00
  office_update m 2003
  wu_temp
  local_scan_steps
}

tree_local_options() {
  program_files 'M:\Program Files'
  windows_update m
  put "m/WINDOWS/Windows Update.log" "the log" 2005-01-01T00:00:00
  office_update m 2003
  steps "options v3" local "list M:\\CVL_SAVE" "options v4 ou" local "list M:\\CVL_SAVE"
}

tree_local_nothing_to_save() {
  program_files 'M:\Program Files'
  put "m/Program Files/WindowsUpdate/desktop.ini" "x" $old
  put "m/Program Files/WindowsUpdate/V4/notes.txt" "x" $old
  office_update m 2020
  put m/WUTemp/root.cab "r" $old
  stamp m/WUTemp 2020-01-01T00:00:00
  put m/CVL_SAVE/V4/empty/.keep "" $old
  local_scan_steps
}

tree_local_aborts() {
  # No "ProgramFilesDir" value: the scan looks in the failure text and stops.
  put "m/Program Files/WindowsUpdate/a.w98" "a" $old
  local_scan_steps
}

tree_local_empty_windows_update() {
  program_files 'M:\Program Files'
  folder "m/Program Files/WindowsUpdate/V4/empty"
  local_scan_steps
}

tree_local_second_run() {
  program_files 'M:\Program Files'
  windows_update m
  put m/CVL_SAVE/README.TXT "an older, much longer README left by an earlier version" $old
  put m/CVL_SAVE/earlier.w98 "from an earlier run" 2001-01-01T00:00:00
  steps local local "list M:\\CVL_SAVE"
}

tree_local_blocked() {
  program_files 'M:\Program Files'
  windows_update m
  office_update m 2003
  put m/CVL_SAVE "a file where the save folder should be" $old
  local_scan_steps
}

tree_folder_scan() {
  put m/aside/a.w98 "a" $old
  put m/aside/iuhist.xml "h" $old
  put "m/aside/Windows Update.log" "log" 2020-12-31T23:59:59
  put m/aside/new.gng "too new" 2021-01-01T00:00:00
  put m/aside/.hidden.w98 "hidden" $old
  put m/aside/desktop.ini "not wanted" $old
  put m/aside/V4/iuhist_catalogadmin.xml "in a subfolder" $old
  put m/aside/sub/b.w95 "in a subfolder" $old
  put n/out/CVL_SAVE/V4/iuhist.xml "from an earlier save" 2002-02-02T02:02:02
  steps "pick N:\\out" "folder M:\\aside" "list N:\\out"
}

tree_folder_nothing_or_cancelled() {
  put m/empty/V4/iuhist.xml "h" $old
  put m/aside/a.w98 "a" $old
  steps "folder M:\\empty" "folder M:\\aside" "pick" "folder M:\\aside" "list N:\\"
}

tree_folder_into_itself() {
  put m/keep/CVL_SAVE/a.w98 "inventory a" $old
  put m/keep/CVL_SAVE/b.GNG "inventory b" 2003-03-03T03:03:03
  put m/keep/CVL_SAVE/README.TXT "readme" 2005-05-05T05:05:05
  steps "pick M:\\keep" "folder M:\\keep\\CVL_SAVE" "list M:\\keep"
}

tree_drive_scan() {
  windows_update n
  put "n/Program Files/WindowsUpdate/iuhist.xml" "a V4 name outside V4" $old
  office_update n 2003
  put "n/WINDOWS/Windows Update.log" "log" 2005-01-01T00:00:00
  folder m/save
  steps "pick M:\\save" "drive n" "list M:\\save"
}

tree_drive_localized() {
  put n/Programme/WindowsUpdate/a.w98 "a" $old
  put "n/Program Files (x86)/WindowsUpdate/x86.w98" "not looked at" $old
  put "n/WINNT/Windows Update.log" "from WINNT" $old
  put "n/windows/Windows Update.log" "from windows" $old
  steps "pick N:\\" "drive n" "list N:\\CVL_SAVE"
}

tree_drive_without_windows() {
  put "n/Program Files/WindowsUpdate/a.w98" "a" $old
  put "m/OldWin/Windows Update.log" "picked" $old
  folder m/save
  steps "answer cancel" "drive n" "pick" "drive n" \
        "pick M:\\OldWin" "pick M:\\save" "drive n" "list M:\\save"
}

tree_drive_same_names() {
  # The Windows folder's log comes later in the list: it is saved under the V4 file's name.
  put "n/Program Files/WindowsUpdate/V4/windows update.log" "from V4" $old
  put "n/WINDOWS/Windows Update.log" "from WINDOWS" $old
  put n/WINDOWS/a.w98 "not looked at" $old
  folder m/save
  steps "pick M:\\save" "drive n" "list M:\\save"
}

tree_attributes() {
  # Read-only files are taken, and their copies can be replaced by a later save (neither host
  # makes a copy read-only); hidden and system ones (the
  # attributes set through Wine, which keeps them where the POSIX host reads them too) not.
  put m/aside/locked.w98 "read-only" $old
  chmod a-w "$root/m/aside/locked.w98"
  put m/aside/secret.w98 "hidden" $old
  put m/aside/system.w98 "system" $old
  put m/aside/open.w98 "open" $old
  printf '%s\n' '+h M:\aside\secret.w98' '+s M:\aside\system.w98' >"$root/attributes"
  folder n/out
  steps "pick N:\\out" "folder M:\\aside" "list N:\\out"
}

trees() { declare -F | awk '{print $3}' | grep '^tree_' | sed 's/^tree_//'; }
