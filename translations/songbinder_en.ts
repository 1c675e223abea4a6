<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AboutWindow</name>
    <message>
        <source>Songbinder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Songbinder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Author:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Songbinder developers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AddCommands</name>
    <message>
        <source>File is not in Root Path</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Association</name>
    <message>
        <source>Access denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disk is full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data could not be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1
Reason: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Songbinder could not be registered as an editor of .m3u files.

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make this program the default app for editing .m3u files?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file-type store %1 could not be read. It was kept as %2, and a new one was started.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Closing</name>
    <message>
        <source>Save File Before Exiting?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Songbinder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Playlists (*.m3u *.m3u8)|*.m3u;*.m3u8|All Files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Current File First?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save File First?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WARNING: Your playlist&apos;s path is not the same as your root folder. Continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overwrite Existing File?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The playlist &quot;%1&quot; cannot be saved.
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This playlist was changed by another program after it was opened. Overwrite it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FindMovedFiles</name>
    <message>
        <source>Found:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ambiguous:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not found:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outside the root path:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Already in the playlist:</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>and %Ln more</source>
        <translation>
            <numerusform>and %Ln more</numerusform>
            <numerusform>and %Ln more</numerusform>
        </translation>
    </message>
    <message>
        <source>Found: %1
Ambiguous: %2
Not found: %3
Outside the root path: %4
Already in the playlist: %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Update %Ln Entries?</source>
        <translation>
            <numerusform>Update %Ln Entry?</numerusform>
            <numerusform>Update %Ln Entries?</numerusform>
        </translation>
    </message>
    <message>
        <source>No entry of the playlist is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Listing the files in %1: %2 found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FolderTreeAdd</name>
    <message>
        <source>unknown error</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%Ln folders could not be read and were skipped. The first was:
%1

Reason: %2</source>
        <translation>
            <numerusform>A folder could not be read and was skipped:
%1

Reason: %2</numerusform>
            <numerusform>%Ln folders could not be read and were skipped. The first was:
%1

Reason: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Adding files from %1… %L2 found, %L3 added</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Add Entire Dir was cancelled. %Ln files were added before it stopped.</source>
        <translation>
            <numerusform>Add Entire Dir was cancelled. %Ln file was added before it stopped.</numerusform>
            <numerusform>Add Entire Dir was cancelled. %Ln files were added before it stopped.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GenreName</name>
    <message>
        <source>Unknown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InformationRequest</name>
    <message>
        <source>Builds and edits .m3u playlists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The playlist to open. Every argument together names one file; quotes are removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>playlist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[PLAYLIST.m3u]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows this help and exits.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the version and exits.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Songbinder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drives</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make Root</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Entire Dir To Playlist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Selected Files To Playist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Playlist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Root:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Root path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear root</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Selected Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Associate Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Songbinder - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Playlist (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the folder &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Current Playlist (%1) - %Ln missing</source>
        <translation>
            <numerusform>Current Playlist (%1) - %Ln missing</numerusform>
            <numerusform>Current Playlist (%1) - %Ln missing</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MissingEntriesCommands</name>
    <message>
        <source>Find Moved Files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Missing Entries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Moved Files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MissingEntriesWork</name>
    <message>
        <source>Looking for the entries&apos; files: %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Matching %1 missing entries</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NativeFileSystem</name>
    <message>
        <source>The file is too large (%1 MB).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is too large.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlaylistHistory</name>
    <message numerus="yes">
        <source>Add %Ln Files</source>
        <translation>
            <numerusform>Add %Ln File</numerusform>
            <numerusform>Add %Ln Files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Remove %Ln Entries</source>
        <translation>
            <numerusform>Remove %Ln Entry</numerusform>
            <numerusform>Remove %Ln Entries</numerusform>
        </translation>
    </message>
    <message>
        <source>Make Root</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Root</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Moved Files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlaylistModel</name>
    <message>
        <source>Not found: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlaylistReader</name>
    <message>
        <source>The first item in this list does not contain a full path. Assuming Root Path is &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Files That No Longer Exist?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The playlist &quot;%1&quot; cannot be read.
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for the files of %1: %L2 of %L3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Putting the entries of %1 in order...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecentPlaylistsMenu</name>
    <message>
        <source>Open Recent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Menu</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Recovery</name>
    <message>
        <source>Songbinder was closed without saving %1. Restore the unsaved changes?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemoveMissingEntries</name>
    <message numerus="yes">
        <source>Remove %Ln entries whose files are missing?</source>
        <translation>
            <numerusform>Remove %Ln entry whose file is missing?</numerusform>
            <numerusform>Remove %Ln entries whose files are missing?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RootCommands</name>
    <message>
        <source>Not all files are in that path</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TagMessage</name>
    <message>
        <source>No ID3 Tag Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Artist: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Album: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Track: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Year: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Genre: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID3 Version: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UnstorableNames</name>
    <message numerus="yes">
        <source>%Ln names are not valid UTF-8 text, so a playlist cannot hold them. They were skipped. The first was:
%1</source>
        <translation>
            <numerusform>This name is not valid UTF-8 text, so a playlist cannot hold it. It was skipped:
%1</numerusform>
            <numerusform>%Ln names are not valid UTF-8 text, so a playlist cannot hold them. They were skipped. The first was:
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln names hold a line break, so a playlist cannot hold them. They were skipped. The first was:
%1</source>
        <translation>
            <numerusform>This name holds a line break, so a playlist cannot hold it. It was skipped:
%1</numerusform>
            <numerusform>%Ln names hold a line break, so a playlist cannot hold them. They were skipped. The first was:
%1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WorkStatusBar</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
