OziExplorer Track Point File Version 2.1
WGS 84
Altitude is in Feet
Reserved 3
0,2,255,Track,0,0,2,8421376
3
47.5,8.25,0,1312.3,45413.5,01-May-24, 12:00:00
47.6,8.26,1,-777,45413.5000116,01-May-24, 12:00:01
47.7,8.27,0,100,0,,
