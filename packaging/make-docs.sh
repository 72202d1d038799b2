#!/usr/bin/env bash
# Writes the manual pages analysis-tool(1) and Analysis(1) and the bash completion of
# analysis-tool from the tool's own help: its verb list and each verb's usage. A verb added to
# the tool's verb table therefore appears in the manual and the completion by itself.
#   make-docs.sh ANALYSIS_TOOL OUT_FOLDER VERSION
set -euo pipefail

if [ $# -ne 3 ]; then
    echo "usage: make-docs.sh ANALYSIS_TOOL OUT_FOLDER VERSION" >&2
    exit 2
fi
tool=$1
out=$2
version=$3
mkdir -p "$out"

# The verbs, in the order the tool lists them: "  NAME  SUMMARY" lines of its --help.
mapfile -t verbLines < <("$tool" --help | sed -n 's/^  \([a-z][a-z-]*\)  *\(.*\)$/\1\t\2/p')
if [ ${#verbLines[@]} -eq 0 ]; then
    echo "make-docs: $tool --help lists no verbs" >&2
    exit 2
fi

# Text as roff: backslashes, dashes written as minus signs, and a line that would read as a
# request.
roff() {
    sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"
}

# The one section both pages share: where the program keeps its files.
filesSection() {
    cat <<'ROFF'
.SH FILES
.TP
.I $USERPROFILE/QuillmarshData/Analysis/ \fRor\fP $HOME/QuillmarshData/Analysis/
The installation: \fIExec/Analysis.OPT\fP (the settings), \fIExec/Analysis.JOB\fP (the
subscriber identifier and the print job counter), \fIData/Analysis.DAT\fP (the day's data file),
\fIHelp/\fP, \fIArchive/\fP, and beside them the decoded \fIAnalysis.TXT\fP, the day's report
files and the schedule \fISimoDump.LST\fP. The program creates none of these folders; one copy at
a time writes into them.
.TP
.I ~/.config/Analysis.conf
The window's own settings: its size and place, the viewer's zoom, and
\fBprint/askAboveSheets\fP, the sheets above which a print asks first (25 unless set).
ROFF
}

{
    echo '.TH ANALYSIS\-TOOL 1 "" "Analysis '"$version"'" "User Commands"'
    echo '.SH NAME'
    echo 'analysis\-tool \- the engines of Analysis on the command line'
    echo '.SH SYNOPSIS'
    echo '.B analysis\-tool'
    echo '.I VERB'
    echo '.RI [ ARGUMENTS ...]'
    echo '.br'
    echo '.B analysis\-tool'
    echo '.RI [ VERB ]'
    echo '.B \-\-help'
    echo '.SH DESCRIPTION'
    echo '.B analysis\-tool'
    echo 'runs the engines of the race\-day program'
    echo '.BR Analysis (1)'
    echo 'from the command line: decoding the day'"'"'s data file, cutting it into reports, finding'
    echo 'text across them, composing and printing print jobs, the schedule and archives.'
    echo 'Files are code page 437 text with CR LF line ends. A verb that writes into an'
    echo 'installation takes its lock first and stops with status 2 while another copy holds it.'
    echo '.SH VERBS'
    for line in "${verbLines[@]}"; do
        verb=${line%%$'\t'*}
        summary=${line#*$'\t'}
        echo ".SS $(printf '%s' "$verb" | roff)"
        printf '%s\n' "$summary" | roff
        echo '.PP'
        echo '.nf'
        "$tool" "$verb" --help | roff
        echo '.fi'
    done
    echo '.SH EXIT STATUS'
    echo '0 when the verb did what it was asked, 1 when it did so with a warning (said on standard'
    echo 'error), 2 when it failed or was given bad arguments: the one line on standard error says'
    echo 'why.'
    filesSection
    echo '.SH SEE ALSO'
    echo '.BR Analysis (1)'
} >"$out/analysis-tool.1"

{
    echo '.TH ANALYSIS 1 "" "Analysis '"$version"'" "User Commands"'
    echo '.SH NAME'
    echo 'Analysis \- decode, view and print the race day'"'"'s handicapping reports'
    echo '.SH SYNOPSIS'
    echo '.B Analysis'
    echo '.RI [ FILE ]'
    echo '.SH DESCRIPTION'
    echo '.B Analysis'
    echo 'decodes the day'"'"'s data file into the analysis text, cuts it into its reports (an A and'
    echo 'an X report per track, an E and a B report per race), lists them in a check list, shows'
    echo 'any of them in a viewer, and prints the ticked ones on the user'"'"'s printer: drawn on the'
    echo 'printer canvas, or composed as raw PCL 5 and spooled through CUPS. Print Preview and'
    echo 'Export PDF show the same pages before paper is spent.'
    echo '.PP'
    echo 'FILE is a day'"'"'s data file to open, as a file manager passes it.'
    echo 'One copy of the window runs per installation; a second one says so and ends.'
    echo '.PP'
    echo 'The same engines run from the command line in'
    echo '.BR analysis\-tool (1),'
    echo 'whose verbs are:'
    echo '.RS'
    for line in "${verbLines[@]}"; do
        echo '.TP'
        echo ".B $(printf '%s' "${line%%$'\t'*}" | roff)"
        printf '%s\n' "${line#*$'\t'}" | roff
    done
    echo '.RE'
    echo '.SH ENVIRONMENT'
    echo '.TP'
    echo '.B USERPROFILE'
    echo 'The profile folder the installation is in, when set; otherwise'
    echo '.BR HOME .'
    filesSection
    echo '.SH SEE ALSO'
    echo '.BR analysis\-tool (1)'
} >"$out/Analysis.1"

# The completion: the verbs first, then each verb's options (the words of its usage that begin
# with a dash), and file names for everything else.
{
    echo '# bash completion for analysis-tool, made from the verbs of its --help.'
    echo '_analysis_tool() {'
    echo '    local current=${COMP_WORDS[COMP_CWORD]}'
    echo '    if [ "$COMP_CWORD" -eq 1 ]; then'
    verbs=$(for line in "${verbLines[@]}"; do printf '%s ' "${line%%$'\t'*}"; done)
    echo "        mapfile -t COMPREPLY < <(compgen -W '${verbs}--help' -- \"\$current\")"
    echo '        return'
    echo '    fi'
    echo '    local options'
    echo '    case ${COMP_WORDS[1]} in'
    for line in "${verbLines[@]}"; do
        verb=${line%%$'\t'*}
        # A verb without options matches nothing, which is no failure.
        options=$("$tool" "$verb" --help | { grep -o -- '\(^\|[][ (|]\)--\?[a-z][a-z-]*' || true; } |
            sed 's/^[][ (|]*//' | sort -u | tr '\n' ' ')
        echo "    $verb) options='${options}--help' ;;"
    done
    echo "    *) options='' ;;"
    echo '    esac'
    echo '    if [[ $current == -* ]]; then'
    echo '        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$current")'
    echo '    else'
    echo '        # One name a line, so a file name with blanks stays one word.'
    echo '        mapfile -t COMPREPLY < <(compgen -f -- "$current")'
    echo '    fi'
    echo '}'
    echo 'complete -o filenames -F _analysis_tool analysis-tool'
} >"$out/analysis-tool.bash"

# Installed pages are compressed, reproducibly (no name or time in the gzip header).
gzip -9nc "$out/analysis-tool.1" >"$out/analysis-tool.1.gz"
gzip -9nc "$out/Analysis.1" >"$out/Analysis.1.gz"
