Attribute VB_Name = "IF97"
' Properties of water and steam after IAPWS-IF97 in Excel (64-bit Office),
' from if97.dll, the C interface of the steamcalc property library.
'
' Put if97.dll in the folder of the workbook, import this module into it
' (Alt+F11, File > Import File...) and save the workbook as .xlsm. In cells
' (";" between arguments where the decimal mark is ",", "," elsewhere):
'   =IF97("pt"; 5; 300; "h")      steam at 5 MPa, 300 degC: h = 2925.64 kJ/kg
'   =IF97("ph"; 3; 500; "t")      water at 3 MPa with 500 kJ/kg: t = 118.64 degC
'   =IF97("sat-p"; 1; 1; "h")     saturated steam at 1 MPa (0 for saturated water)
'   =IF97_ERROR("pt"; 150; 20; "h")   why a state is refused: "out of range"
' Pairs: pt, ph, ps, hs, px, tx (the two values in that order), sat-p, sat-t.
' Properties: p, t, h, s, v, u, cp, cv, w, rho, eta, nu, lambda, a, Pr, sigma,
' kappa, alpha_v, kappa_T, mu_JT, epsilon, x, region, phase (case matters).
' Units: p MPa, t degC, h and u kJ/kg, s, cp, cv kJ/(kg K), v m3/kg, w m/s.
' A refused state, or a property the state does not have (cp of wet steam),
' gives #NUM!; IF97_ERROR gives the reason.
Option Explicit

' VBA passes a String ByVal to a DLL as a pointer to a copy of its text in
' the system's ANSI code page, NUL-terminated: the char* the C function takes.
Private Declare PtrSafe Function if97_value Lib "if97.dll" ( _
    ByVal pair As String, ByVal a As Double, ByVal b As Double, ByVal quantity As String) As Double
Private Declare PtrSafe Function if97_last_error Lib "if97.dll" () As Long
Private Declare PtrSafe Function if97_describe Lib "if97.dll" (ByVal code As Long) As LongPtr
Private Declare PtrSafe Function if97_version_string Lib "if97.dll" () As LongPtr

Private Declare PtrSafe Function LoadLibraryW Lib "kernel32" (ByVal path As LongPtr) As LongPtr
Private Declare PtrSafe Function lstrlenA Lib "kernel32" (ByVal text As LongPtr) As Long
Private Declare PtrSafe Sub CopyMemory Lib "kernel32" Alias "RtlMoveMemory" ( _
    ByVal destination As String, ByVal source As LongPtr, ByVal length As LongPtr)

Private loaded As Boolean

' Windows looks for "if97.dll" beside Excel and on the PATH, not beside the
' workbook: load it from the workbook's folder first, once; the Declare
' statements then find it loaded.
Private Sub LoadIf97()
    If loaded Then Exit Sub
    If Len(ThisWorkbook.Path) > 0 Then
        LoadLibraryW StrPtr(ThisWorkbook.Path & Application.PathSeparator & "if97.dll")
    End If
    loaded = True
End Sub

' A C string (const char*) of the DLL as a VBA String.
Private Function FromCString(ByVal text As LongPtr) As String
    Dim length As Long
    If text = 0 Then Exit Function
    length = lstrlenA(text)
    FromCString = String$(length, vbNullChar)
    CopyMemory FromCString, text, length
End Function

' One property of the state given by a pair of values, or #NUM!.
Public Function IF97(ByVal pair As String, ByVal a As Double, ByVal b As Double, _
                     ByVal quantity As String) As Variant
    Dim value As Double
    LoadIf97
    value = if97_value(pair, a, b, quantity)
    If if97_last_error() <> 0 Then
        IF97 = CVErr(xlErrNum)
    Else
        IF97 = value
    End If
End Function

' Why IF97 with the same arguments gives #NUM! ("" when it gives a value).
Public Function IF97_ERROR(ByVal pair As String, ByVal a As Double, ByVal b As Double, _
                           ByVal quantity As String) As String
    LoadIf97
    if97_value pair, a, b, quantity
    IF97_ERROR = FromCString(if97_describe(if97_last_error()))
End Function

' The version of if97.dll, such as "1.1.0".
Public Function IF97_VERSION() As String
    LoadIf97
    IF97_VERSION = FromCString(if97_version_string())
End Function
