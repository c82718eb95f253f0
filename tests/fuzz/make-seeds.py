#!/usr/bin/env python3
"""Writes the starting inputs of each target (cases taken from the tests).
scripts/fuzz --minimise keeps those that add coverage in corpus/."""
import hashlib, os, sys

US = b'\x1f'
out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')

def signed(lines: bytes) -> bytes:
    head = lines + b'EMPREINTE='
    return head + b'"' + hashlib.sha1(head).hexdigest().upper().encode() + b'"'

def put(target, name, data):
    d = os.path.join(out, target)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, name), 'wb') as f:
        f.write(data)

# Parameter files: damaged-file mode (flag bit 0 clear) and round trip (set).
put('params', 'roundtrip-one', b'\x01ID' + US + b'3')
put('params', 'roundtrip-keys', b'\x01' + US.join([b'DATEDEBUT', b'a', b'DATEDEBUT1', b'b', b'E', b'',
    b'SLIDENAME', b'ID|Menu', b'Q', b'a"b', b'N', 'a€b😀'.encode(), b'DATEDEBUT', b'z', b'OPERATION n\xb01', b'x']))
put('params', 'refused', b'\x01' + US.join([b'A', b'x\x00y', b'B', b'x\r\ny', b'C', b'xEMPREINTE=y', b'D="', b'1']))
put('params', 'enciphered-duplicates', b'\x06' + signed(b'K="1"\r\nK="2"\r\nXID="3"\r\nID="3"\r\n') + US + b'ID' + US + b'4')
put('params', 'plaintext-accents', b'\x00' + signed(b'NOM="Caf\xe9"\r\nLIEU="\xc0 l\'\xe9tage"\r\n') + US + b'NOM' + US + b'x')
put('params', 'stored-fingerprint-text', b'\x06' + signed(b'A="xEMPREINTE=y"\r\nB="2"\r\n') + US + b'C' + US + b'3')
put('params', 'stored-nul', b'\x02' + signed(b'A="x\x00y"\r\nB="2"\r\n') + US + b'B' + US + b'5')
put('params', 'no-fingerprint', b'\x02A="1"\r\nB="2"' + US + b'A' + US + b'5')

# FTP listing: the first line is the user.
put('ftp_listing', 'unix', b'ftp\n' + b'\n'.join([
    b'drwxr-xr-x   3 ftp      ftp          4096 Apr 14  2000 images\r',
    b'-rw-r--rw-   1 owner    group   123456789012 Dec  1  1999 big file.mp4',
    b'-rw-------   1                           7 Jan 02  2010 mine',
    b'-rwsr-xr-t   1 a b 1 Mar 03  2003 tool',
    b'lrwxrwxrwx   1 ftp ftp 9 Oct 29  2019 current -> release',
    b'drwxr-xr-x.  2 root root 6 Apr 11  2018 boot',
    b'-rw-r--r--+ 1 a b 5 Apr 11 12:30 acl.txt']))
put('ftp_listing', 'dos', b'\n' + b'\n'.join([
    b'01-16-02  11:14AM       <DIR>          archive\r',
    b'06-05-03  03:19PM                 1973 notes.txt',
    b'12-31-99  11:59PM                    1 y2k.txt',
    b'06-05-03  03:19PM                 10 setup.exe']))

# FTP replies: chunks released one per client line, then the data bytes.
Z = b'\x00'
put('ftp_reply', 'session', Z.join([b'220 ready\r\n', b'331 password\r\n', b'230 in\r\n', b'250 cwd\r\n',
    b'200 type\r\n', b'200 port\r\n', b'150 opening\r\n226 done\r\n', b'200 type\r\n', b'213 5\r\n',
    b'200 port\r\n', b'150 opening\r\n226 done\r\n', b'200 type\r\n', b'200 port\r\n', b'202 allo\r\n',
    b'150 opening\r\n226 done\r\n', b'350 rnfr\r\n', b'250 rnto\r\n', b'257 "m" created\r\n',
    b'214-Help\r\n214 end\r\n', b'221 bye\r\n']) + b'\x01'
    + b'drwxr-xr-x   3 ftp      ftp          4096 Apr 14  2000 images\r\n-rw-r--r-- 1 a b 5 Apr 11 12:30 acl.txt\r\n')
put('ftp_reply', 'multiline', Z.join([b'220-Welcome\r\n220-sec', b'ond\r\n220 ready\r\n', b'530 Login incorrect.\r\n']))
put('ftp_reply', 'junk-codes', Z.join([b'xx\r\n\xb220 hello\r\n220 ready\r\n', b'230 in\r\n', b'550 No such directory.\r\n',
    b'200 type\r\n', b'500 EPRT not understood\r\n', b'200 port\r\n', b'425 no data\r\n']))
put('ftp_reply', 'refused', b'421 Too many users\r\n')

# Status replies.
put('status_reply', 'two-boxes', b'{"ZB100":["2024-03-15 | 11:58:00","1","null"],"ZB2":["null","null","null"]}')
put('status_reply', 'kinds', b'{"A":[null,0,1],"B":"x","C":["2026-03-01 | 11:59:00","0","0"]} ')
put('status_reply', 'not-object', b'[1,2]')

# Scan replies.
put('scan_reply', 'listing', b'[".","..","IMAGE","5C0A2B","Slide1.png","PLAYER.orvex","a,b.png"]')
put('scan_reply', 'odd', b'["b.png",".","..",1,null,{"a":2}]')

# Journals: flag byte, journal plaintext, index plaintext, fields appended.
media = b'ID="7"\r\nFILEPATH="IMAGE/a.png"\r\nFILECHK="AAA"\r\nFILEPATHPERMISSION="Hall"\r\nFILESIZE="10"\r\n'
journal = (b'NBOPERATION="3"\r\nOPERATION n\xb01="AJOUTER|IMAGE/b.png|BBB|Hall;Bureau|20"\r\n'
           b'OPERATION n\xb03="PERMISSION|IMAGE/a.png||P3|"\r\n')
put('journal', 'media', b'\x00' + US.join([signed(journal), signed(media), b'SUPPRIMER', b'IMAGE/a.png', b'', b'', b'']))
put('journal', 'admin', b'\x01' + US.join([signed(b'NBOPERATION="1"\r\nOPERATION n\xb01="RENOMMER|Hall|Entree|"\r\n'),
    signed(b'ID="7"\r\nFILEPATHPERMISSION="Hall;Hall2|Hall2;Hall|MyHall"\r\n'), b'SUPPRIMER', b'', b'', b'Hall2']))
put('journal', 'counter-limit', b'\x00' + US.join([signed(b'NBOPERATION="2147483647"\r\nOPERATION n\xb02147483647="SUPPRIMER|IMAGE/a.png|||"\r\n'),
    signed(media), b'AJOUTER', b'IMAGE/c.png', b'C', b'Hall', b'1']))
put('journal', 'empty', b'\x02' + US + signed(media))

# Poster list files.
put('poster_list', 'two-posters', b'\x02' + signed(b'ID="4"\r\nSLIDETYPE="|WIDGETRSS"\r\nSLIDEDELAY="5|7"\r\nNOMAFFICHE="A|B"\r\n'
    b'SLIDENAMETXT="DATA/Slide1.txt|DATA/Slide2.txt"\r\nJOURSSEMAINE="1;2|"\r\n'))
put('poster_list', 'damaged', b'\x00SLIDETYPE=""\r\nSLIDEDELAY="5"\r\nXSLIDETYPE="q"\r\nEMPREINTE=""')
put('poster_list', 'operations', b'\x3e' + signed(b'ID="4"\r\nSLIDETYPE="||WIDGETRSS"\r\nSLIDEDELAY="5|7|9"\r\nNOMAFFICHE="A||C"\r\n'
    b'SLIDENAMETXT="DATA/Slide1.txt|DATA/Slide2.txt|DATA/Slide3.txt"\r\n'))
put('poster_list', 'plain-on-disk', b'\x01' + signed(b'SLIDETYPE="||"\r\nNOMAFFICHE="A"\r\n'))
