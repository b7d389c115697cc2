-- The delivered catalogue: play lists, their entries, used target folders, options.
-- The build turns this into KIROCustomList.mdb beside the program, only when none is there.
PRAGMA foreign_keys = ON;

CREATE TABLE list (
  id   VARCHAR(20) NOT NULL PRIMARY KEY CHECK (length(id) <= 20),
  name VARCHAR(15) CHECK (length(name) <= 15),
  memo VARCHAR(10) CHECK (length(memo) <= 10)
);

CREATE TABLE listdetail (
  id       VARCHAR(20) NOT NULL REFERENCES list (id) ON DELETE CASCADE,
  filename TEXT,
  [order]  INTEGER
);
CREATE INDEX listdetail_by_list ON listdetail (id, [order]);

-- A folder path is kept whole: Linux paths may be longer than the declared width.
CREATE TABLE TargetList (
  id   VARCHAR(20) NOT NULL PRIMARY KEY CHECK (length(id) <= 20),
  path VARCHAR(255)
);

CREATE TABLE [option] (
  name  VARCHAR(50),
  value VARCHAR(50)
);

INSERT INTO [option] (name, value) VALUES
  ('bConfirmation', 'T'),
  ('bContinuous',   'T'),
  ('bShowHideSys',  'F'),
  ('iFileSizeUnit', '1'),
  ('iT2FMode',      '2'),
  ('iTryMaxCount',  '3'),
  ('iVolume',       '255');
