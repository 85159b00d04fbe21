<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>AccessibleName</name>
    <message>
        <source>%1, byte %2 of %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CFilterPage</name>
    <message>
        <source>Entry No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wireless MAC Address 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wireless MAC Address 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ether Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Protocol</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Port Protocol</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Port Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>Error occurred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file %1 could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>language</name>
    <message>
        <source>--language needs en or ja</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown language &quot;%1&quot;: --language takes en or ja</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Trennic is already running with the settings file %1 and does not answer.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic</name>
    <message>
        <source>%1 cannot be read: %2.

%3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CBasePage</name>
    <message>
        <source>IP Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wireless Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable DIP Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network Mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ESS ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ANY ID Blocking</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wi-Fi Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Static Node Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ESS ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transmit Rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>min.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Age Time:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CByteTextField</name>
    <message>
        <source>%1: the character &quot;%2&quot; cannot be stored in the code page %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the text cannot be stored in the code page %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid parameter.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CConfigDlg</name>
    <message>
        <source>Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open(&amp;O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access Point:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The built-in defaults are used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No select.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reboot ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config File (%1);;All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CFileMgmtDlg</name>
    <message>
        <source>Firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access Point List:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The built-in defaults are used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Directory Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Directory Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write(&amp;W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reboot(&amp;B)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No select.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is not a valid firmware image. Write it anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reboot ?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CFilterPage</name>
    <message>
        <source>MAC Address Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable MAC Address Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable Protocol Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address except a list:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol except a list:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permission</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refusal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC Address List:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol List:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t add list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC Address Filter File (%1);;All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protocol Filter File (%1);;All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open(&amp;O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CInterfacePage</name>
    <message>
        <source>Ethernet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wireless</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CIntervalSlider</name>
    <message>
        <source>%1 seconds</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CLoginPriorityDlg</name>
    <message>
        <source>Priority:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wireless Mac Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Already exist.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CMacFilterDlg</name>
    <message>
        <source>Entry No.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wireless MAC Address 1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wireless MAC Address 2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access Control:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Already exist.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CMacTablePage</name>
    <message>
        <source>MAC Address List:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CMainMenuDlg</name>
    <message>
        <source>Restore(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No such network interface: %1
The interfaces of this computer: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usual Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Display Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version(&amp;A)...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CNodeEditDlg</name>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CNodeListDlg</name>
    <message>
        <source>Access Point List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Node List File (%1);;All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open(&amp;O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access Point List:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of the units that answered could not be listed: the list holds at most %2 units.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t add list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No select.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error occurred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list shows none of the units kept in it, and changes to the list are not kept.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CNodeRowsView</name>
    <message>
        <source>Access Point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CPasswordChangeDlg</name>
    <message>
        <source>Current Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acceess Point:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify Password:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CPasswordDlg</name>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use same password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access Point:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CProgressDlg</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CProtFilterDlg</name>
    <message>
        <source>Entry No.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Protocol:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Port Protocol:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Destination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interface:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access Control:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid parameter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Already exist.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CSnmpPage</name>
    <message>
        <source>Enable SNMP Agent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Community Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Community Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read &amp; Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send Trap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contact:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contact</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CStatusDlg</name>
    <message>
        <source>Status Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access Point:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interval</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>120</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(sec)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sec.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No select.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CStatusListPage</name>
    <message>
        <source>Number:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CStatusPage</name>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CStpPage</name>
    <message>
        <source>Bridge Priority(0 - 65535):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max Age Time(6 - 40 sec.):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hello Time(1 - 10 sec.):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward Delay(4 - 30 sec.):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable Spanning Tree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wireless</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path Cost(1 - 65535):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet Path Cost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wireless Path Cost</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CStpStatusPage</name>
    <message>
        <source>Port Information:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CUnitStatusPage</name>
    <message>
        <source>LED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DIP Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wireless Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CWirelessPage</name>
    <message>
        <source>Scramble</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TKV(Original)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scramble:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scramble Key:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WEP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Tx Key:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>40 bit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>128 bit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key %1 size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extension Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extended Roaming</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Roaming Threshold:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RSSI Sampling Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sec.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extension Speed Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Border of 11M and 5.5M:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Border of 5.5M and 2M:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Border of 2M and 1M:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AP Login Priority</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Priority</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wireless MAC Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access Point List:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Login Other AP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t add list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All(&amp;A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>trennic::ui::CWlNodePage</name>
    <message>
        <source>Wireless Node List:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
