#include "sharing/sharing_script.h"

#include <string>

namespace zephyra {
namespace {

// The script as written in this file; every line end becomes CR LF in sharingScript(),
// so the bytes do not depend on how this source file was checked out.
constexpr char kScriptLines[] = R"VBS(OPTION EXPLICIT

' Share.vbs: switches Internet Connection Sharing on or off between two connections.
'   cscript //nologo Share.vbs "Private Connection Name" "Public Connection Name" on|off
' With any other number of arguments it only lists the connections and prints its usage.

DIM ICSSC_DEFAULT, CONNECTION_PUBLIC, CONNECTION_PRIVATE, CONNECTION_ALL
DIM NetSharingManager
DIM EveryConnectionCollection
DIM priv_con, publ_con, switch

ICSSC_DEFAULT = 0
CONNECTION_PUBLIC = 0
CONNECTION_PRIVATE = 1
CONNECTION_ALL = 2

Main

Sub Main()
    DIM objArgs
    Set objArgs = WScript.Arguments
    If objArgs.Count = 3 Then
        priv_con = objArgs(0)
        publ_con = objArgs(1)
        switch = objArgs(2)
        If Initialize() Then
            GetConnectionObjects
            FirewallTestByName priv_con, publ_con
        End If
    Else
        If Initialize() Then
            GetConnectionObjects
            FirewallTestByName "list", "list"
        End If
        WScript.Echo "To share your internet connection, please provide the name of the private and public connections as the argument." & vbCrLf & vbCrLf & _
            "Usage:" & vbCrLf & _
            "       " & WScript.ScriptName & " " & _
            Chr(34) & "Private Connection Name" & Chr(34) & " " & _
            Chr(34) & "Public Connection Name" & Chr(34) & vbCrLf & vbCrLf
    End If
End Sub

' Reports every connection and switches the two named ones. A failing call is passed
' over, so one connection that cannot be switched does not stop the others.
Sub FirewallTestByName(con1, con2)
    On Error Resume Next
    DIM Item, EveryConnection, objNCProps, szMsg, bFound1, bFound2

    WScript.Echo vbCrLf & vbCrLf
    bFound1 = False
    bFound2 = False
    For Each Item In EveryConnectionCollection
        Set EveryConnection = NetSharingManager.INetSharingConfigurationForINetConnection(Item)
        Set objNCProps = NetSharingManager.NetConnectionProps(Item)
        szMsg = "Name: " & objNCProps.Name & vbCrLf & _
            "Guid: " & objNCProps.Guid & vbCrLf & _
            "DeviceName: " & objNCProps.DeviceName & vbCrLf & _
            "Status: " & objNCProps.Status & vbCrLf & _
            "MediaType: " & objNCProps.MediaType
        If EveryConnection.SharingEnabled Then
            szMsg = szMsg & vbCrLf & "SharingEnabled" & vbCrLf & _
                "SharingType: " & ConvertConnectionTypeToString(EveryConnection.SharingConnectionType)
        End If

        If objNCProps.Name = con1 Then
            bFound1 = True
            If EveryConnection.SharingEnabled = False And switch = "on" Then
                szMsg = szMsg & vbCrLf & "Not Shared... Enabling private connection share..."
                WScript.Echo szMsg
                EveryConnection.EnableSharing CONNECTION_PRIVATE
                szMsg = " Shared!"
            ElseIf switch = "off" Then
                szMsg = szMsg & vbCrLf & "Shared... DisEnabling private connection share..."
                WScript.Echo szMsg
                EveryConnection.DisableSharing
            End If
        End If

        ' Read again: the private side may just have switched this same connection.
        If objNCProps.Name = con2 Then
            bFound2 = True
            If EveryConnection.SharingEnabled = False And switch = "on" Then
                szMsg = szMsg & vbCrLf & "Not Shared... Enabling public connection share..."
                WScript.Echo szMsg
                EveryConnection.EnableSharing CONNECTION_PUBLIC
                szMsg = " Shared!"
            ElseIf switch = "off" Then
                szMsg = szMsg & vbCrLf & "Shared... DisEnabling public connection share..."
                WScript.Echo szMsg
                EveryConnection.DisableSharing
            End If
        End If

        WScript.Echo szMsg & vbCrLf & vbCrLf
    Next

    If con1 <> "list" Then
        If bFound1 = False Then
            WScript.Echo "Connection " & Chr(34) & con1 & Chr(34) & " was not found"
        End If
        If bFound2 = False Then
            WScript.Echo "Connection " & Chr(34) & con2 & Chr(34) & " was not found"
        End If
    End If
End Sub

Function Initialize()
    Initialize = False
    Set NetSharingManager = WScript.CreateObject("HNetCfg.HNetShare.1")
    If Not IsObject(NetSharingManager) Then
        WScript.Echo "Unable to get the HNetCfg.HnetShare.1 object"
    ElseIf IsNull(NetSharingManager.SharingInstalled) Then
        WScript.Echo "Sharing isn't available on this platform."
    Else
        Initialize = True
    End If
End Function

' All three look-ups run even when one fails; each reports its count.
Function GetConnectionObjects()
    DIM bPublic, bPrivate, bAll
    bPublic = GetConnection(CONNECTION_PUBLIC)
    bPrivate = GetConnection(CONNECTION_PRIVATE)
    bAll = GetConnection(CONNECTION_ALL)
    GetConnectionObjects = bPublic And bPrivate And bAll
End Function

' Public and private: exactly one shared connection of that type. All: at least one
' connection, and the collection is kept for the walk.
Function GetConnection(connType)
    DIM Connections, bFound
    If connType = CONNECTION_PUBLIC Then
        Set Connections = NetSharingManager.EnumPublicConnections(ICSSC_DEFAULT)
        bFound = Connections.Count > 0 And Connections.Count < 2
    ElseIf connType = CONNECTION_PRIVATE Then
        Set Connections = NetSharingManager.EnumPrivateConnections(ICSSC_DEFAULT)
        bFound = Connections.Count > 0 And Connections.Count < 2
    Else
        Set Connections = NetSharingManager.EnumEveryConnection
        bFound = Connections.Count > 0
        If bFound Then
            Set EveryConnectionCollection = Connections
        End If
    End If
    WScript.Echo Connections.Count & " objects for connection type " & ConvertConnectionTypeToString(connType)
    GetConnection = bFound
End Function

Function ConvertConnectionTypeToString(ConnectionID)
    If ConnectionID = CONNECTION_PUBLIC Then
        ConvertConnectionTypeToString = "public"
    ElseIf ConnectionID = CONNECTION_PRIVATE Then
        ConvertConnectionTypeToString = "private"
    ElseIf ConnectionID = CONNECTION_ALL Then
        ConvertConnectionTypeToString = "all"
    Else
        ConvertConnectionTypeToString = "Unknown: " & ConnectionID
    End If
End Function
)VBS";

std::string withCrLf(const char* text) {
  std::string out;
  for (const char* p = text; *p; ++p) {
    if (*p == '\r') continue;
    if (*p == '\n') out += '\r';
    out += *p;
  }
  return out;
}

}  // namespace

std::string_view sharingScript() {
  static const std::string script = withCrLf(kScriptLines);
  return script;
}

}  // namespace zephyra
