' Conformance script: date functions — parts, Weekday, names, DateSerial, TimeSerial,
' DateValue, TimeValue, DateAdd, DateDiff, DatePart with week rules, FormatDateTime, and the
' clock functions' subtypes.
' Each check raises an error naming what failed; the runner reports it and exits non-zero.
Option Explicit

Sub Check(ok, what)
  If Not ok Then Err.Raise vbObjectError + 1, , what
End Sub

Function ErrorOf(expression)
  Dim value
  On Error Resume Next
  value = Eval(expression)
  ErrorOf = Err.Number
  Err.Clear
End Function

Dim d
d = #12/31/1999 10:30:15 PM#
Check Year(d) = 1999 And Month(d) = 12 And Day(d) = 31, "date parts"
Check Hour(d) = 22 And Minute(d) = 30 And Second(d) = 15, "time parts"
Check TypeName(Year(d)) = "Integer", "Year gives an Integer"
Check IsNull(Year(Null)), "Year(Null)"
Check Month("March 5, 2001") = 3, "parts of a date text"
Check Weekday(#1/1/2000#) = vbSaturday, "Weekday"
Check Weekday(#1/1/2000#, vbMonday) = 6, "Weekday from Monday"
Check ErrorOf("Weekday(#1/1/2000#, 8)") = 5, "Weekday with a bad first day"
Check WeekdayName(1) = "Sunday", "WeekdayName"
Check WeekdayName(1, True) = "Sun", "WeekdayName abbreviated"
Check WeekdayName(1, False, vbMonday) = "Monday", "WeekdayName from Monday"
Check MonthName(12) = "December", "MonthName"
Check MonthName(1, True) = "Jan", "MonthName abbreviated"
Check ErrorOf("MonthName(13)") = 5, "MonthName(13)"

Check DateSerial(2000, 2, 30) = #3/1/2000#, "DateSerial carries days"
Check DateSerial(99, 1, 1) = #1/1/1999#, "two-digit year 99"
Check DateSerial(5, 1, 1) = #1/1/2005#, "two-digit year 5"
Check DateSerial(2000, 0, 1) = #12/1/1999#, "month 0"
Check DateSerial(2000, 1, 0) = #12/31/1999#, "day 0"
Check CStr(TimeSerial(12, 30, 0)) = "12:30:00 PM", "TimeSerial"
Check CStr(TimeSerial(0, 90, 0)) = "1:30:00 AM", "TimeSerial carries minutes"
Check DateValue("December 31, 1999 10:00 PM") = #12/31/1999#, "DateValue"
Check CStr(TimeValue("12/31/1999 10:00 PM")) = "10:00:00 PM", "TimeValue"
Check TypeName(DateValue("1/1/2000")) = "Date", "DateValue gives a Date"

Check DateAdd("m", 1, #1/31/2000#) = #2/29/2000#, "DateAdd month clamps to a leap day"
Check DateAdd("m", 1, #1/31/1999#) = #2/28/1999#, "DateAdd month clamps"
Check DateAdd("yyyy", 1, #2/29/2000#) = #2/28/2001#, "DateAdd year from a leap day"
Check DateAdd("q", 1, #11/30/2000#) = #2/28/2001#, "DateAdd quarter"
Check DateAdd("d", -1, #1/1/2000#) = #12/31/1999#, "DateAdd day back"
Check DateAdd("ww", 2, #1/1/2000#) = #1/15/2000#, "DateAdd weeks"
Check DateAdd("h", 25, #1/1/2000#) = #1/2/2000 1:00:00 AM#, "DateAdd hours"
Check DateAdd("s", 1, #12/31/1999 11:59:59 PM#) = #1/1/2000#, "DateAdd second to midnight"
Check ErrorOf("DateAdd(""x"", 1, #1/1/2000#)") = 5, "DateAdd bad interval"
Check ErrorOf("DateAdd(""yyyy"", 8000, #1/1/2000#)") = 5, "DateAdd beyond 9999"

Check DateDiff("yyyy", #12/31/1999#, #1/1/2000#) = 1, "DateDiff years counts boundaries"
Check DateDiff("d", #1/1/2000 11:00 PM#, #1/2/2000 1:00 AM#) = 1, "DateDiff days counts midnights"
Check DateDiff("d", #1/2/2000#, #1/1/2000#) = -1, "DateDiff negative"
Check DateDiff("h", #1/1/2000 11:59 PM#, #1/2/2000 12:01 AM#) = 1, "DateDiff hours"
Check DateDiff("m", #1/31/2000#, #2/1/2000#) = 1, "DateDiff months"
Check DateDiff("w", #1/1/2000#, #1/14/2000#) = 1, "DateDiff w counts whole weeks"
Check DateDiff("ww", #1/1/2000#, #1/2/2000#) = 1, "DateDiff ww counts Sundays"
Check DateDiff("ww", #1/2/2000#, #1/8/2000#) = 0, "DateDiff ww within a week"
Check DateDiff("s", #1/1/2000#, #1/1/2000 12:01:00 AM#) = 60, "DateDiff seconds"
Check TypeName(DateDiff("d", #1/1/2000#, #1/2/2000#)) = "Long", "DateDiff gives a Long"

Check DatePart("q", #5/1/2000#) = 2, "DatePart quarter"
Check DatePart("y", #12/31/2000#) = 366, "DatePart day of year"
Check DatePart("w", #1/1/2000#) = 7, "DatePart weekday"
Check DatePart("ww", #1/1/2000#) = 1, "DatePart week of Jan 1"
Check DatePart("ww", #1/2/2000#) = 2, "DatePart the next Sunday starts week 2"
Check DatePart("ww", #12/31/2000#) = 54, "DatePart week 54"
Check DatePart("ww", #1/1/2000#, vbMonday, vbFirstFourDays) = 52, "first four days: Jan 1 2000"
Check DatePart("ww", #1/3/2000#, vbMonday, vbFirstFourDays) = 1, "first four days: week 1"
Check DatePart("ww", #1/1/2000#, vbSunday, vbFirstFullWeek) = 52, "first full week"
Check DatePart("h", #10:30:00 PM#) = 22, "DatePart hour"

d = #12/31/1999 10:05:03 PM#
Check FormatDateTime(d) = "12/31/1999 10:05:03 PM", "vbGeneralDate"
Check FormatDateTime(d, vbLongDate) = "Friday, December 31, 1999", "vbLongDate"
Check FormatDateTime(d, vbShortDate) = "12/31/1999", "vbShortDate"
Check FormatDateTime(d, vbLongTime) = "10:05:03 PM", "vbLongTime"
Check FormatDateTime(d, vbShortTime) = "22:05", "vbShortTime"
Check ErrorOf("FormatDateTime(#1/1/2000#, 5)") = 5, "FormatDateTime bad format"

Check TypeName(Now) = "Date" And TypeName(Date) = "Date" And TypeName(Time) = "Date", "clock subtypes"
Check TypeName(Timer) = "Single", "Timer is a Single"
Check Timer >= 0 And Timer < 86400, "Timer counts seconds of the day"

' CDate of a text that is a number is the date of that number
Check CDate("1") = #12/31/1899#, "CDate(""1"")"
Check VarType(CDate("1")) = vbDate, "CDate(""1"") is a Date"
Check CDate("-1") = #12/29/1899#, "CDate(""-1"")"
Check CDate("36526.5") = #1/1/2000 12:00:00 PM#, "CDate of a text with a fraction"
Check Not IsDate("1"), "a lone number is no date text for IsDate"
Check ErrorOf("CDate(""abc"")") = 13, "CDate of a text that is neither"
' the date texts written in scripts
Check CDate("Jan 2, 2000") = #1/2/2000#, "CDate month name first"
Check CDate("2-Jan-2000") = #1/2/2000#, "CDate day-month-year with a name"
Check CDate("2000-01-02") = #1/2/2000#, "CDate year first"
Check CDate("1/2/2000 1:02 PM") = #1/2/2000 1:02:00 PM#, "CDate with a time"
Check CDate("Monday, January 3, 2000") = #1/3/2000#, "CDate with a weekday"
Check CDate("13:45") = #1:45:00 PM#, "CDate of a 24-hour time"

' Null: DateAdd's number, MonthName and WeekdayName refuse it, before their other arguments
' are looked at; DateAdd's date and the parts give Null
Check ErrorOf("DateAdd(""d"", Null, #1/1/2000#)") = 94, "DateAdd with a Null number"
Check IsNull(DateAdd("d", 1, Null)), "DateAdd to Null"
Check ErrorOf("MonthName(Null)") = 94, "MonthName(Null)"
Check ErrorOf("MonthName(""a"", Null)") = 94, "MonthName with a Null abbreviate"
Check ErrorOf("WeekdayName(Null)") = 94, "WeekdayName(Null)"
Check IsNull(Month(Null)), "Month(Null)"
Check IsNull(DateDiff("d", Null, #1/1/2000#)), "DateDiff with Null"
