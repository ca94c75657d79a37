#!/usr/bin/python3
"""Writes the variant boards of this folder from default.ini.

Each variant is default.ini with a few sections removed or keys changed, so
that a change to the default board reaches every variant: edit default.ini
or the table below, then run this script from this folder."""

import re
src=open('default.ini').read()
head_end=src.index('[board]')
body=src[head_end:]
def blocks(text):
    parts=re.split(r'(?m)^(?=\[)', text)
    return [p for p in parts if p]
def sid(b): return b[1:b.index(']')]
def remove(text, ids):
    return ''.join(b for b in blocks(text) if sid(b) not in ids)
def setkey(text, id, key, value):
    out=[]
    for b in blocks(text):
        if sid(b)==id:
            if re.search(r'(?m)^%s=.*$'%re.escape(key), b):
                b=re.sub(r'(?m)^%s=.*$'%re.escape(key), '%s=%s'%(key,value), b)
            else:
                b=b.replace('\n','\n%s=%s\n'%(key,value),1)
        out.append(b)
    return ''.join(out)
def insert_before(text, id, block):
    return ''.join((block if sid(b)==id else '')+b for b in blocks(text))
def six(text, status):
    t=setkey(text,'0x030600F0','count','6')
    t=setkey(t,'0x03060013','cores','36,34,32,30,28,28')
    t=setkey(t,'0x00060008','value',status)
    t=setkey(t,'0x00060009','value',status)
    return remove(t,{'0x030600F9'})
def write(name, comment, text):
    c=''.join('; '+l+'\n' for l in comment.split('\n'))
    open(name,'w').write(c+'; Generated from default.ini; everything else is as there.\n\n'+text)
V=[
('ratio-no-f9.ini','4 cores without item 0x030600F9: the plain CPU ratio page (core count\nbelow 5); per-core by the status bits.', remove(body,{'0x030600F9'})),
('ratio-no-turbo-table.ini','Item 0x030600F9 but no BIOS turbo tables (0x05080006, 0x05080007): turbo\nsupport then rests on the CPU signature alone.', remove(body,{'0x05080006','0x05080007'})),
('ratio-6core-percore.ini','6 cores, no item 0x030600F9, per-core ratios by the status bits\n(0x00060008 and 0x00060009 bit 1 set): the multi-core per-core page.', six(body,'0x12')),
('ratio-6core-single.ini','6 cores, no item 0x030600F9, status bit 1 clear: one ratio for all cores\n(the single-ratio page).', six(body,'0x10')),
('ratio-2core.ini','2 cores with item 0x030600F9 and the turbo tables.', setkey(setkey(body,'0x030600F0','count','2'),'0x03060013','cores','36,34')),
('no-ratio.ini','No CPU ratio item, core selector or item 0x030600F9: the ratio set has\nno cores.', remove(body,{'0x03060013','0x030600F0','0x030600F9'})),
('startup-conflict.ini','Start-up conflict: 0x00060008 and 0x00060009 both have bit 2 set.', setkey(setkey(body,'0x00060008','value','0x16'),'0x00060009','value','0x16')),
('power-saving-on.ini','The power-saving mode is on (0x0B060001 = 1).', setkey(body,'0x0B060001','value','1')),
('info-level-2.ini','BIOS information level 2 (top byte of info entry 1).', setkey(body,'board','info','0x00000001,0x02000000,0x00000000')),
('fault-group3.ini','Group 3 cannot be read (ordinal 5 fails for it).', body.rstrip('\n')+'\n\n[group.3]\nfail=1\n'),
('fault-items.ini','Failing items: FSB writes, CPU core voltage reads, the DRAM voltage\ndescriptor, the stored-profile data and the danger-limit reads fail.',
   setkey(setkey(setkey(setkey(setkey(body,'0x03010011','fail','write'),'0x03020012','fail','read'),'0x03020032','fail','descriptor'),'0x05080002','fail','data'),'0x030600F1','fail','at')),
('fault-values.ini','Descriptors without values: the Load-Line Calibration string item lists no\nstrings, the NB core voltage lists the value count -1, the CPU PLL voltage\nhas the value count 0. A DRAM item brings the expert group, where the\nstring item would go.',
   insert_before(setkey(setkey(setkey(body,'0x03080018','fail','values'),'0x03020015','fail','values'),'0x03020016','count','0'),
     '0x03010060','[0x03020033]\nname=DRAM Termination\ninfo=3\nbase=1200\nstep=20\ncount=41\nvalue=3\n\n')),
]
def longest(text):
    # Every number at the widest its format gives: the 24-bit base at its
    # far end, five decimals on the voltages; and long option texts.
    t=text
    for id in ('0x03020012','0x03020032','0x03020015','0x03020016','0x03020017','0x03820019'):
        t=setkey(setkey(t,id,'base','-8388608'),id,'exponent','-2')
    for id in ('0x03010011','0x03010060','0x03010061'):
        t=setkey(t,id,'base','8388607')
    t=setkey(t,'0x03080018','strings','Automatic|Level 1 (Light)|Level 2 (Medium)|Level 3 (Strong)|Level 4 (Extreme)')
    t=setkey(t,'0x030800B4','strings','Disabled|Enabled')
    return t
V.append(('long-texts.ini','The longest value texts the item formats allow: the voltages at the\n24-bit base\'s negative end with five decimals, the clocks at its positive\nend, long option texts.', longest(body)))
for name, comment, text in V:
    write(name, comment, text)
